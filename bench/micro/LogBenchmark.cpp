// The log statement against raw Boost.Log: the cost of a statement that the level
// filters out, and records per second written to the file at an enabled level. The
// raw side installs the same sink (synchronous text file backend, same rotation, auto
// flush, collector limits, format, locale and global attributes) and writes the same
// line text with BOOST_LOG_SEV.

#include "common/Log.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>
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
#include <boost/log/sources/record_ostream.hpp>
#include <boost/log/sources/severity_logger.hpp>
#include <boost/log/support/date_time.hpp>

#include <climits>
#include <memory>

namespace
{
namespace logging = boost::log;
namespace attrs = boost::log::attributes;
namespace expr = boost::log::expressions;
namespace sinks = boost::log::sinks;
namespace keywords = boost::log::keywords;

// The program's rotation size at the levels other than Debug.
constexpr std::uint64_t kSizeLimit = 20971520;

void ResetCore()
{
    Log::Instance::Set(nullptr);
    auto core = logging::core::get();
    core->remove_all_sinks();
    core->reset_filter();
    core->set_global_attributes(logging::attribute_set());
    Log::Detail::filterLevel.store(INT_MAX);
}

// The program's logger in a folder of its own.
class ProgramLog
{
public:
    explicit ProgramLog(Log::Level::Enum level)
    {
        Log::Instance::Set(std::make_shared<Log::Logger>(folder_.Path(), level, kSizeLimit, 50));
    }
    ~ProgramLog() { ResetCore(); }

private:
    Testing::TempFolder folder_;
};

// Boost.Log set up by hand the way the program's logger sets it up.
class RawLog
{
public:
    explicit RawLog(Log::Level::Enum level)
    {
        const auto format = expr::stream
            << "[" << expr::attr<unsigned int>("LineID") << "]"
            << "[" << expr::attr<Log::Level::Enum>("Severity") << "]"
            << "[" << expr::format_date_time<boost::posix_time::ptime>("TimeStamp", "%Y-%m-%d %H:%M:%S.%f") << "]"
            << "[" << expr::format_date_time<boost::posix_time::time_duration>("UpTime", "%O:%M:%S") << "]"
            << "[" << expr::attr<attrs::current_process_id::value_type>("ProcessID") << "]"
            << "[" << expr::attr<attrs::current_thread_id::value_type>("ThreadID") << "]"
            << expr::message;
        auto backend = boost::make_shared<sinks::text_file_backend>(
            keywords::file_name = folder_.Path() / "%Y.%m.%d_%H.%M.%S.%f_raw.txt",
            keywords::open_mode = std::ios_base::out | std::ios_base::trunc,
            keywords::rotation_size = kSizeLimit,
            keywords::enable_final_rotation = true,
            keywords::auto_flush = true);
        backend->set_file_collector(sinks::file::make_collector(
            keywords::target = folder_.Path(), keywords::max_size = kSizeLimit,
            keywords::min_free_space = kSizeLimit, keywords::max_files = 50));
        auto sink = boost::make_shared<sinks::synchronous_sink<sinks::text_file_backend>>(backend);
        sink->set_formatter(format);
        sink->imbue(std::locale(std::locale::classic(), new boost::locale::utf8_codecvt<wchar_t>()));
        auto core = logging::core::get();
        core->add_sink(sink);
        core->add_global_attribute("LineID", attrs::counter<unsigned int>(1, 1));
        core->add_global_attribute("TimeStamp", attrs::local_clock());
        core->add_global_attribute("UpTime", attrs::timer());
        core->add_global_attribute("ProcessID", attrs::current_process_id());
        core->add_global_attribute("ThreadID", attrs::current_thread_id());
        core->set_filter(expr::attr<Log::Level::Enum>("Severity") >= level);
    }
    ~RawLog() { ResetCore(); }

    logging::sources::wseverity_logger<Log::Level::Enum> logger;

private:
    Testing::TempFolder folder_;
};

void LogStatementFilteredOut(benchmark::State& state)
{
    ProgramLog log(Log::Level::Error);
    double progress = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(progress);
        LOG_TRACE(L"progress position changed. progress=" << progress);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(LogStatementFilteredOut);

void RawBoostLogFilteredOut(benchmark::State& state)
{
    RawLog log(Log::Level::Error);
    double progress = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(progress);
        BOOST_LOG_SEV(log.logger, Log::Level::Trace) << L"progress position changed. progress=" << progress;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RawBoostLogFilteredOut);

void LogStatementWritten(benchmark::State& state)
{
    ProgramLog log(Log::Level::Info);
    double progress = 0;
    for (auto _ : state)
    {
        LOG_INFO(L"progress position changed. progress=" << progress);
        progress += 0.5;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LogStatementWritten)->UseRealTime();

void RawBoostLogWritten(benchmark::State& state)
{
    RawLog log(Log::Level::Info);
    const std::wstring function = L"RawBoostLogWritten";
    double progress = 0;
    for (auto _ : state)
    {
        BOOST_LOG_SEV(log.logger, Log::Level::Info)
            << L"[KorvaneUpdater][" << function << L"][" << __LINE__ << L"]: progress position changed. progress="
            << progress;
        progress += 0.5;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RawBoostLogWritten)->UseRealTime();
}

BENCHMARK_MAIN();
