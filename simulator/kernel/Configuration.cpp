#include "simulator/kernel/Configuration.h"

#include "kernel_bridge/Kernel/Scenario.h"
#include "simulator/kernel/RunScript.h"

#include <charconv>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace KernelSimulator
{
namespace
{
constexpr std::uint32_t kInstallRunMs = 10000;

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

template <class Number>
bool ParseNumber(std::string_view text, Number& number)
{
    Number parsed{};
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return false;
    number = parsed;
    return true;
}

bool ParseOffer(std::string_view text, std::int32_t& offer)
{
    std::int32_t partner = 0;
    if (!ParseNumber(text, partner) || partner < 0)
        return false;
    offer = partner;
    return true;
}

bool ParseFlag(std::string_view text, bool& flag)
{
    if (text != "0" && text != "1")
        return false;
    flag = text == "1";
    return true;
}

bool EqualsIgnoringCase(std::string_view ascii, const wchar_t* name)
{
    std::size_t i = 0;
    for (; i < ascii.size() && name[i] != L'\0'; ++i)
    {
        const auto lower = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
        if (lower(static_cast<unsigned char>(ascii[i])) != lower(static_cast<unsigned>(name[i])))
            return false;
    }
    return i == ascii.size() && name[i] == L'\0';
}

bool ParseScenario(std::string_view text, std::int32_t& scenario)
{
    for (std::int32_t number = 0; number < KorvaneUpdaterKernel::Scenario::kCount; ++number)
    {
        if (EqualsIgnoringCase(text, KorvaneUpdaterKernel::Scenario::Name(number)))
        {
            scenario = number;
            return true;
        }
    }
    return ParseNumber(text, scenario);
}

// One of a few words, each standing for a value.
template <class Value>
bool ParseChoice(std::string_view text, std::initializer_list<std::pair<std::string_view, Value>> choices,
                 Value& value)
{
    for (const auto& [word, meaning] : choices)
    {
        if (text == word)
        {
            value = meaning;
            return true;
        }
    }
    return false;
}

bool ParseLanguage(std::string_view text, std::string& language)
{
    if (text.empty())
        return false;
    language = text;
    return true;
}

// Applies one pair; false for an unknown key, a bad value sets `bad`.
bool Apply(std::string_view key, std::string_view value, Configuration& configuration, bool& bad)
{
    bool ok = true;
    if (key == "scenario")
        ok = ParseScenario(value, configuration.scenario);
    else if (key == "offer")
        ok = ParseOffer(value, configuration.offer);
    else if (key == "incompatibles")
        ok = ParseFlag(value, configuration.incompatibles);
    else if (key == "reboot")
        ok = ParseFlag(value, configuration.reboot);
    else if (key == "language")
        ok = ParseLanguage(value, configuration.language);
    else if (key == "outcome")
        ok = ParseChoice(value, {{"complete", Outcome::Complete}, {"error", Outcome::Error}}, configuration.outcome);
    else if (key == "error_text")
        configuration.errorText = value;
    else if (key == "disk_full")
        ok = ParseNumber(value, configuration.diskFull);
    else if (key == "busy")
        ok = ParseNumber(value, configuration.busy);
    else if (key == "step_ms")
        ok = ParseNumber(value, configuration.stepMs);
    else if (key == "journal")
        configuration.journal = value;
    else if (key == "crash")
        ok = ParseNumber(value, configuration.crash);
    else if (key == "progress_events")
        ok = ParseNumber(value, configuration.progressEvents);
    else if (key == "progress_rate")
        ok = ParseNumber(value, configuration.progressRate);
    else if (key == "crash_kind")
        ok = ParseChoice(value, {{"null", CrashKind::NullWrite}, {"overflow", CrashKind::StackOverflow}},
                         configuration.crashKind);
    else if (key == "interrupt_ms")
        ok = ParseNumber(value, configuration.interruptMs);
    else if (key == "null_export")
        ok = ParseChoice(value, {{"CreateParameters", std::string("CreateParameters")},
                                 {"CreateDirector", std::string("CreateDirector")}},
                         configuration.nullExport);
    else
        return false;
    bad = !ok;
    return true;
}
}

std::string LanguageOfLocale(const char* locale)
{
    std::string_view name = locale != nullptr ? locale : "";
    name = name.substr(0, name.find_first_of("_.@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return "en";
    return std::string(name);
}

std::uint32_t DefaultStepMs()
{
    static const std::uint32_t stepMs = [] {
        const std::uint32_t units = PauseUnits(BuildRunScript(KorvaneUpdaterKernel::Scenario::Install));
        return units > 0 ? kInstallRunMs / units : kInstallRunMs;
    }();
    return stepMs;
}

Configuration ParseConfiguration(const char* text, const char* lang, std::vector<std::string>& errors)
{
    Configuration configuration;
    configuration.language = LanguageOfLocale(lang);
    configuration.errorText = kDefaultErrorText;
    configuration.stepMs = DefaultStepMs();

    std::string_view rest = text != nullptr ? text : "";
    while (!rest.empty())
    {
        const auto comma = rest.find(',');
        const std::string_view item = Trim(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (item.empty())
            continue;

        const auto equals = item.find('=');
        const std::string_view key = Trim(item.substr(0, equals));
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : Trim(item.substr(equals + 1));
        bool bad = false;
        if (!Apply(key, value, configuration, bad))
            errors.push_back("unknown simulation key=" + std::string(key));
        else if (bad)
            errors.push_back("bad simulation value. key=" + std::string(key) + " value=" + std::string(value));
    }
    return configuration;
}

Configuration ReadConfiguration(std::vector<std::string>& errors)
{
    return ParseConfiguration(std::getenv(kConfigurationVariable), std::getenv("LANG"), errors);
}
}
