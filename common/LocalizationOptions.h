#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

namespace KorvaneCommon
{
// One row of the language table. The id is the row's position and is what the
// "lang" file stores; the page keeps the same codes in the same order.
struct LanguageInfo
{
    std::uint64_t id;
    std::string code;
    std::wstring nativeName;
    std::string englishName;
};

std::vector<LanguageInfo> GetLanguages();

namespace LocalizationOptions
{
// The saved language id; 0 (English) when none is saved or it cannot be read (no
// regular file, or one larger than a few KiB).
std::size_t LoadLocale();
// Saves the id (not checked against the table) and lets every user change it. The file
// is replaced as a whole, never written through a link; a failure is logged and leaves
// the file as it was.
void SaveLocale(std::size_t id);
// The path of the "lang" file in the suite's Options folder.
boost::filesystem::path LocaleFilePath();
}
}
