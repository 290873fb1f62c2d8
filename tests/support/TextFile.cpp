#include "support/TextFile.h"

#include <boost/filesystem/fstream.hpp>
#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <iterator>
#include <sstream>

namespace Testing
{
std::string ReadFile(const boost::filesystem::path& path)
{
    boost::filesystem::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const boost::filesystem::path& path, const std::string& content)
{
    boost::filesystem::create_directories(path.parent_path());
    boost::filesystem::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
}

std::vector<std::string> ReadLines(const boost::filesystem::path& path)
{
    std::istringstream stream(ReadFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<boost::filesystem::path> FilesIn(const boost::filesystem::path& folder)
{
    std::vector<boost::filesystem::path> files;
    boost::system::error_code error;
    for (boost::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    {
        if (boost::filesystem::is_regular_file(it->status()))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadAllFiles(const boost::filesystem::path& folder)
{
    std::string text;
    for (const auto& file : FilesIn(folder))
        text += ReadFile(file);
    return text;
}
}
