#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/log/sources/severity_logger.hpp>

#include <atomic>
#include <cstdint>
#include <iosfwd>

namespace Log
{
namespace Level
{
enum Enum : int
{
    Trace = 0,
    Debug = 1,
    Info = 2,
    Warning = 3,
    Error = 4,
    Fatal = 5
};

// The lower-case name of the level in a record; levels from 6 up as their number.
std::ostream& operator<<(std::ostream& stream, Enum level);
std::wostream& operator<<(std::wostream& stream, Enum level);
}

// The process's severity logger. Its constructor installs the file sink, the global
// attributes and the level filter on the logging core; they stay there when the
// logger goes.
class Logger : public boost::log::sources::wseverity_logger<Level::Enum>
{
public:
    Logger(const boost::filesystem::path& folder, Level::Enum level, std::uint64_t sizeLimit, int maxFiles);
};

namespace Detail
{
// The level that the core's filter lets through, mirrored here so that a statement
// below it costs one comparison. Nothing passes until a logger exists.
extern std::atomic<int> filterLevel;
}
}
