#pragma once

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <boost/filesystem/path.hpp>

namespace Testing
{
// Where the suite's files live during a test. On Linux: fresh temporary folders, named by
// XDG_DATA_HOME and XDG_CONFIG_HOME. On Windows the special folders cannot be moved, so
// they are the system's own, and their "korvane" folders are removed before and after.
class SuiteHome
{
public:
    SuiteHome();
    ~SuiteHome();
    SuiteHome(const SuiteHome&) = delete;
    SuiteHome& operator=(const SuiteHome&) = delete;

    // The folders holding "korvane/korvane antivirus": common application data, and the
    // user's roaming application data.
    boost::filesystem::path Data() const;
    boost::filesystem::path Config() const;

    // Removes the suite's files now, as at the start.
    void Clear() const;

private:
    TempFolder data_;
    TempFolder config_;
    ScopedEnvironment environment_;
};
}
