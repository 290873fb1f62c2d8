#include "support/LogCapture.h"

#include "common/LogInstance.h"
#include "support/TextFile.h"

#include <boost/log/core.hpp>

#include <climits>

namespace Testing
{
LogCapture::LogCapture(Log::Level::Enum level, std::uint64_t sizeLimit, int maxFiles)
{
    Log::Instance::Set(std::make_shared<Log::Logger>(folder_.Path(), level, sizeLimit, maxFiles));
}

LogCapture::~LogCapture()
{
    Log::Instance::Set(nullptr);
    boost::log::core::get()->remove_all_sinks();
    boost::log::core::get()->reset_filter();
    Log::Detail::filterLevel.store(INT_MAX);
}

std::string LogCapture::Text() const
{
    // The records' text with its lines ended by LF, whatever line end the system's files use.
    std::string text = ReadAllFiles(folder_.Path());
    std::size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos)
        text.erase(at, 1);
    return text;
}
}
