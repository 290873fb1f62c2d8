#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

namespace PathHelper
{
// A path as log text: its bytes read as UTF-8, with U+FFFD for any that are not. (Its
// wide form keeps such bytes exactly, as characters the UTF-8 log cannot hold.)
std::wstring Text(const boost::filesystem::path& path);

// The same in double quotes, with '"' and '&' escaped by '&', as boost::filesystem
// writes a path to a stream.
std::wstring QuotedText(const boost::filesystem::path& path);
}
