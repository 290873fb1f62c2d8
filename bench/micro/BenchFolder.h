#pragma once

#include <boost/filesystem/operations.hpp>
#include <boost/filesystem/path.hpp>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace Bench
{
// A fresh folder under the temporary folder, removed with its content at the end.
class Folder
{
public:
    Folder()
    {
        std::string pattern = (boost::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~Folder()
    {
        boost::system::error_code ignored;
        boost::filesystem::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const boost::filesystem::path& Path() const { return path_; }

private:
    boost::filesystem::path path_;
};
}
