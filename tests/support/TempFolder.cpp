#include "support/TempFolder.h"

#include <boost/filesystem/operations.hpp>

#include <stdexcept>

namespace Testing
{
TempFolder::TempFolder()
{
    path_ = boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("korvane-test-%%%%-%%%%-%%%%");
    boost::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    boost::system::error_code error;
    boost::filesystem::remove_all(path_, error);
}
}
