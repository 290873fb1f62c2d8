#pragma once

#include <boost/filesystem/path.hpp>

namespace Testing
{
// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const boost::filesystem::path& Path() const { return path_; }

private:
    boost::filesystem::path path_;
};
}
