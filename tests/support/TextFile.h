#pragma once

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

namespace Testing
{
std::string ReadFile(const boost::filesystem::path& path);
void WriteFile(const boost::filesystem::path& path, const std::string& content);
std::vector<std::string> ReadLines(const boost::filesystem::path& path);
// The text of every regular file directly in a folder, one after another by name.
std::string ReadAllFiles(const boost::filesystem::path& folder);
// The regular files directly in a folder, sorted by name.
std::vector<boost::filesystem::path> FilesIn(const boost::filesystem::path& folder);
}
