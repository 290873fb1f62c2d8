#include "common/LogRecord.h"

#include <boost/filesystem/detail/utf8_codecvt_facet.hpp>

#include <string_view>

namespace Log
{
namespace Detail
{
namespace
{
constexpr std::string_view kLambda = "<lambda";

// Index just past the bracket group that opens at `open` ('(' or '<').
std::size_t SkipGroup(std::string_view text, std::size_t open)
{
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '(' || c == '<')
            ++depth;
        else if ((c == ')' || c == '>') && --depth == 0)
            return i + 1;
    }
    return text.size();
}

bool IsCallOperator(std::string_view text, std::size_t open)
{
    return open >= 8 && text.substr(open - 8, 8) == "operator" && text.substr(open, 2) == "()";
}

std::string Parse(std::string_view text)
{
    const std::size_t with = text.find(" [with ");
    if (with != std::string_view::npos)
        text = text.substr(0, with);

    // The name is the blank-separated word that holds the first parameter list.
    std::size_t start = 0;
    std::size_t open = std::string_view::npos;
    int angle = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '<')
            ++angle;
        else if (c == '>' && angle > 0)
            --angle;
        else if (angle == 0 && c == ' ')
            start = i + 1;
        else if (angle == 0 && c == '(')
        {
            if (IsCallOperator(text, i))
            {
                ++i;
                continue;
            }
            open = i;
            break;
        }
    }
    if (open == std::string_view::npos)
        return std::string(text);

    std::string name;
    bool endsInLambda = false;
    std::size_t i = start;
    while (i < text.size())
    {
        const char c = text[i];
        if (c == ' ')
            break; // " const" and the like follow the parameter list
        if (c == '(')
        {
            if (IsCallOperator(text, i))
            {
                name += "()";
                i += 2;
                continue;
            }
            i = SkipGroup(text, i);
            continue;
        }
        if (text.substr(i, kLambda.size()) == kLambda)
        {
            name += "<lambda>";
            endsInLambda = true;
            i = SkipGroup(text, i);
            continue;
        }
        if (c == '<')
        {
            const std::size_t end = SkipGroup(text, i);
            name.append(text.substr(i, end - i));
            endsInLambda = false;
            i = end;
            continue;
        }
        if (c != ':')
            endsInLambda = false;
        name += c;
        ++i;
    }
    if (endsInLambda)
        name += "::operator ()";
    return name;
}
}

FunctionName::FunctionName(const char* signature)
{
    const std::string name = Parse(signature != nullptr ? signature : "");
    text_.assign(name.begin(), name.end());
}

const std::locale& MessageLocale()
{
    static const std::locale locale(std::locale::classic(), new boost::filesystem::detail::utf8_codecvt_facet);
    return locale;
}

void WritePrefix(boost::log::wrecord_ostream& stream, const wchar_t* module, const FunctionName& function, int line)
{
    stream.imbue(MessageLocale());
    // Truth values are written as 1 and 0.
    stream.stream().unsetf(std::ios_base::boolalpha);
    stream << L'[' << module << L"][" << function.Text() << L"][" << line << L"]: ";
}
}
}
