#include "support/SuiteHome.h"

#include "common/SuiteFolders.h"

#include <boost/filesystem/operations.hpp>

namespace Testing
{
SuiteHome::SuiteHome()
{
#ifndef _WIN32
    environment_.Set("XDG_DATA_HOME", data_.Path().string()).Set("XDG_CONFIG_HOME", config_.Path().string());
#endif
    Clear();
}

SuiteHome::~SuiteHome()
{
    Clear();
}

boost::filesystem::path SuiteHome::Data() const
{
    return KorvaneCommon::SuiteFolders::Data().parent_path().parent_path();
}

boost::filesystem::path SuiteHome::Config() const
{
    return KorvaneCommon::SuiteFolders::UserOptions().parent_path().parent_path().parent_path();
}

void SuiteHome::Clear() const
{
    boost::system::error_code ignored;
    boost::filesystem::remove_all(Data() / "korvane", ignored);
    boost::filesystem::remove_all(Config() / "korvane", ignored);
}
}
