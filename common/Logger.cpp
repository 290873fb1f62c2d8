#include "common/Logger.h"

#include "common/LogFileCollector.h"
#include "common/ProcessHelper.h"
#include "platform/ProcessInfo.h"

#include <boost/core/null_deleter.hpp>
#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/locale/utf8_codecvt.hpp>
#include <boost/log/attributes/clock.hpp>
#include <boost/log/attributes/counter.hpp>
#include <boost/log/attributes/current_process_id.hpp>
#include <boost/log/attributes/current_thread_id.hpp>
#include <boost/log/attributes/timer.hpp>
#include <boost/log/core.hpp>
#include <boost/log/expressions.hpp>
#include <boost/log/expressions/formatters/date_time.hpp>
#include <boost/log/sinks/sync_frontend.hpp>
#include <boost/log/sinks/text_file_backend.hpp>
#include <boost/log/support/date_time.hpp>

#include <climits>
#include <ostream>
#include <string>

namespace Log
{
namespace Level
{
namespace
{
const char* const kNames[] = {"trace", "debug", "info", "warning", "error", "fatal"};

template <class CharT>
std::basic_ostream<CharT>& Write(std::basic_ostream<CharT>& stream, Enum level)
{
    const int value = static_cast<int>(level);
    if (value >= 0 && value < static_cast<int>(std::size(kNames)))
        stream << kNames[value];
    else
        stream << value;
    return stream;
}
}

std::ostream& operator<<(std::ostream& stream, Enum level)
{
    return Write(stream, level);
}

std::wostream& operator<<(std::wostream& stream, Enum level)
{
    return Write(stream, level);
}
}

namespace Detail
{
std::atomic<int> filterLevel{INT_MAX};
}

namespace
{
namespace logging = boost::log;
namespace attrs = boost::log::attributes;
namespace expr = boost::log::expressions;
namespace sinks = boost::log::sinks;
namespace keywords = boost::log::keywords;

// The sink expands %-placeholders in the pattern; literal parts must not carry any.
std::string EscapePattern(const std::string& text)
{
    std::string escaped;
    for (char c : text)
    {
        escaped += c;
        if (c == '%')
            escaped += '%';
    }
    return escaped;
}

template <class Attribute>
void ReplaceGlobalAttribute(const char* name, const Attribute& attribute)
{
    // A logger built again (as tests do) starts its own counter and timer.
    auto core = logging::core::get();
    const auto added = core->add_global_attribute(name, attribute);
    if (!added.second)
    {
        core->remove_global_attribute(added.first);
        core->add_global_attribute(name, attribute);
    }
}
}

Logger::Logger(const boost::filesystem::path& folder, Level::Enum level, std::uint64_t sizeLimit, int maxFiles)
{
    const unsigned long processId = Platform::GetCurrentProcessId();
    const boost::filesystem::path program = ProcessHelper::Process::Path();
    const std::string stem = program.stem().string();
    const boost::filesystem::path pattern =
        folder / ("%Y.%m.%d_%H.%M.%S.%f_" + EscapePattern(stem) + "_pid=" + std::to_string(processId) + ".txt");

    // Wide messages are written as UTF-8, whatever locales the machine has.
    const std::locale utf8(std::locale::classic(), new boost::locale::utf8_codecvt<wchar_t>());

    const auto format = expr::stream
        << "[" << expr::attr<unsigned int>("LineID") << "]"
        << "[" << expr::attr<Level::Enum>("Severity") << "]"
        << "[" << expr::format_date_time<boost::posix_time::ptime>("TimeStamp", "%Y-%m-%d %H:%M:%S.%f") << "]"
        << "[" << expr::format_date_time<boost::posix_time::time_duration>("UpTime", "%O:%M:%S") << "]"
        << "[" << expr::attr<attrs::current_process_id::value_type>("ProcessID") << "]"
        << "[" << expr::attr<attrs::current_thread_id::value_type>("ThreadID") << "]"
        << expr::message;

    auto backend = boost::make_shared<sinks::text_file_backend>(
        keywords::file_name = pattern,
        // Appending: after a failed write the sink opens the same file again, which must
        // never cut off what the run already wrote. The names are unique to each run.
        keywords::open_mode = std::ios_base::out | std::ios_base::app,
        keywords::rotation_size = sizeLimit,
        keywords::enable_final_rotation = true,
        keywords::auto_flush = true);
    backend->set_file_collector(boost::make_shared<LogFileCollector>(
        folder, boost::filesystem::path(stem).wstring(), processId, sizeLimit, sizeLimit, maxFiles));
    backend->scan_for_files(sinks::file::scan_matching, true);

    auto sink = boost::make_shared<sinks::synchronous_sink<sinks::text_file_backend>>(backend);
    sink->set_formatter(format);
    sink->imbue(utf8);
    logging::core::get()->add_sink(sink);

    ReplaceGlobalAttribute("LineID", attrs::counter<unsigned int>(1, 1));
    ReplaceGlobalAttribute("TimeStamp", attrs::local_clock());
    ReplaceGlobalAttribute("UpTime", attrs::timer());
    ReplaceGlobalAttribute("ProcessID", attrs::current_process_id());
    ReplaceGlobalAttribute("ThreadID", attrs::current_thread_id());

    logging::core::get()->set_filter(expr::attr<Level::Enum>("Severity") >= level);
    Detail::filterLevel.store(static_cast<int>(level));
}
}
