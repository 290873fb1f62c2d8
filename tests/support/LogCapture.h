#pragma once

#include "common/Logger.h"
#include "support/TempFolder.h"

#include <string>

namespace Testing
{
// Installs a process logger writing into a temporary folder for the length of a test,
// and takes it down again (sink included) afterwards.
class LogCapture
{
public:
    explicit LogCapture(Log::Level::Enum level = Log::Level::Trace, std::uint64_t sizeLimit = 1 << 20,
                        int maxFiles = 50);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Everything written so far, all files of the folder in name order.
    std::string Text() const;
    const boost::filesystem::path& Folder() const { return folder_.Path(); }

private:
    TempFolder folder_;
};
}
