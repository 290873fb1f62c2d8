#include "common/LocalizationOptions.h"

#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "common/NumberParsing.h"
#include "common/OptionFiles.h"
#include "common/PathText.h"
#include "common/SuiteFolders.h"
#include "platform/FileAccess.h"
#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <exception>
#include <string>

namespace KorvaneCommon
{
std::vector<LanguageInfo> GetLanguages()
{
    return {
        {0, "en", L"English", "English"},
        {1, "de", L"Deutsch", "German"},
        {2, "fr", L"Fran\u00e7ais", "French"},
        {3, "es", L"Espa\u00f1ol", "Spanish"},
        {4, "it", L"Italiano", "Italian"},
        {5, "ch", L"Chinese", "Chinese"},
        {6, "ge", L"\u10e1\u10d0\u10e5\u10d0\u10e0\u10d7\u10d5\u10d4\u10da\u10dd\u10e1", "Georgian"},
        {7, "ru", L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439", "Russian"},
        {8, "pl", L"Polski", "Polish"},
        {9, "pt", L"Portugu\u00eas", "Portuguese"},
        {10, "uk", L"\u0423\u043a\u0440\u0430\u0457\u043d\u0441\u044c\u043a\u0430", "Ukrainian"},
        {11, "hu", L"Magyar", "Hungarian"},
        {12, "nl", L"Dutch", "Dutch"},
        {13, "ja", L"\u65e5\u672c\u8a9e", "Japanese"},
        {14, "hy", L"\u0570\u0561\u0575\u0565\u0580\u0565\u0576", "Armenian"},
        {15, "sr", L"Srpski (latinica)", "Serbian (Latin)"},
        {16, "src", L"\u0421\u0440\u043f\u0441\u043a\u0438", "Serbian (Cyrillic)"},
        {17, "hr", L"Hrvatski", "Croatian"},
        {18, "id", L"Bahasa Indonesia", "Indonesian"},
        {19, "be", L"\u0411\u0435\u043b\u0430\u0440\u0443\u0441\u043a\u0430\u044f", "Belarusian"},
        {20, "tr", L"Tu\u0308rkc\u0327e", "Turkish"},
        {21, "th", L"\u0e20\u0e32\u0e29\u0e32\u0e44\u0e17\u0e22", "Thai"},
    };
}

namespace LocalizationOptions
{
namespace
{
// A saved id is a handful of digits; anything longer is not one.
constexpr std::size_t kMaxStoredLength = 64;
}

boost::filesystem::path LocaleFilePath()
{
    return SuiteFolders::Options() / "lang";
}

std::size_t LoadLocale()
{
    LOG_DEBUG(L"LoadLocale called");
    try
    {
        const boost::filesystem::path path = LocaleFilePath();
        std::string text;
        switch (OptionFiles::ReadContent(path, OptionFiles::kSmallFileLimit, text))
        {
        case OptionFiles::ReadResult::Read:
            break;
        case OptionFiles::ReadResult::NotOpened:
            LOG_DEBUG(L"can't open locale file. path=" << PathHelper::QuotedText(path));
            return 0;
        case OptionFiles::ReadResult::TooLarge:
            return 0;
        }
        LOG_DEBUG(L"read locale id");
        text.resize(std::min(text.size(), kMaxStoredLength));
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        const std::uint64_t id = StringToUnsigned(Platform::Utf8ToWide(text));
        LOG_DEBUG(L"locale id=" << id);
        return static_cast<std::size_t>(id);
    }
    catch (const std::exception& e)
    {
        LOG_ERROR(L"" << e.what());
        return 0;
    }
}

void SaveLocale(std::size_t id)
{
    LOG_DEBUG(L"SaveLocale called. locale id=" << id);
    try
    {
        const boost::filesystem::path path = LocaleFilePath();
        boost::system::error_code error;
        const auto status = boost::filesystem::status(path.parent_path(), error);
        if (status.type() == boost::filesystem::file_not_found || status.type() == boost::filesystem::status_error)
            boost::filesystem::create_directories(path.parent_path(), error);

        // Replaced as a whole, so that a failed write (a full disk) leaves the previous
        // choice, or no file, and never an empty one.
        if (!Platform::WriteFileAtomically(path.wstring(), std::to_string(id)))
            LOG_ERROR(L"can't save locale file. path=" << PathHelper::QuotedText(path)
                                                         << L". error=" << Platform::GetLastError());
    }
    catch (const std::exception& e)
    {
        LOG_ERROR(L"" << e.what());
    }
}
}
}
