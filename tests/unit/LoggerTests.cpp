#include "common/Log.h"
#include "common/LoggingInitialization.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>
#include <boost/log/core.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <regex>
#include <unistd.h>

namespace
{
const std::regex kRecordLine(
    R"(\[\d+\]\[(trace|debug|info|warning|error|fatal|\d+)\])"
    R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{6}\]\[\d+:\d{2}:\d{2}\])"
    R"(\[0x[0-9a-f]{8}\]\[0x[0-9a-f]+\]\[KorvaneUpdater\]\[[^\]]+\]\[\d+\]: .*)");
}

TEST(LogLevel, ChosenByExactNameWithItsSizeLimit)
{
    struct Case
    {
        const wchar_t* name;
        Log::Level::Enum level;
        std::uint64_t limit;
    } cases[] = {
        {L"Trace", Log::Level::Trace, 20971520},   {L"Debug", Log::Level::Debug, 104857600},
        {L"Info", Log::Level::Info, 20971520},     {L"Warning", Log::Level::Warning, 20971520},
        {L"Error", Log::Level::Error, 20971520},   {L"Fatal", Log::Level::Fatal, 20971520},
        {L"", Log::Level::Error, 20971520},        {L"debug", Log::Level::Error, 20971520},
        {L"Debug ", Log::Level::Error, 20971520},  {L"TRACE", Log::Level::Error, 20971520},
    };
    for (const Case& c : cases)
    {
        const Log::Level::Enum level = Log::LevelFromName(c.name);
        EXPECT_EQ(level, c.level) << c.name;
        EXPECT_EQ(Log::SizeLimitFor(level), c.limit) << c.name;
    }
}

TEST(Logger, EveryLineHasTheRecordLayoutAndTheFileItsName)
{
    Testing::LogCapture log(Log::Level::Trace);
    LOG_TRACE(L"trace");
    LOG_DEBUG(L"debug");
    LOG_INFO(L"info");
    LOG_WARNING(L"warning");
    LOG_ERROR(L"error");
    LOG_FATAL(L"fatal");
    KORVANE_LOG(static_cast<Log::Level::Enum>(7), L"beyond the table");

    const auto files = Testing::FilesIn(log.Folder());
    ASSERT_EQ(files.size(), 1u);
    const std::regex name(R"(\d{4}\.\d{2}\.\d{2}_\d{2}\.\d{2}\.\d{2}\.\d{6}_korvane_unit_tests_pid=)" +
                          std::to_string(::getpid()) + R"(\.txt)");
    EXPECT_TRUE(std::regex_match(files[0].filename().string(), name)) << files[0];

    const auto lines = Testing::ReadLines(files[0]);
    ASSERT_EQ(lines.size(), 7u);
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        EXPECT_TRUE(std::regex_match(lines[i], kRecordLine)) << lines[i];
        EXPECT_EQ(lines[i].rfind("[" + std::to_string(i + 1) + "]", 0), 0u) << lines[i];
    }
    EXPECT_NE(lines[0].find("[trace]"), std::string::npos);
    EXPECT_NE(lines[6].find("][7]["), std::string::npos);
}

TEST(Logger, WideTextIsWrittenAsUtf8)
{
    Testing::LogCapture log(Log::Level::Info);
    LOG_INFO(L"Grüße, Привет, 日本語, \U0001F600");
    EXPECT_NE(log.Text().find("]: Grüße, Привет, 日本語, \xF0\x9F\x98\x80\n"), std::string::npos) << log.Text();
}

TEST(Logger, LevelFiltersRecords)
{
    Testing::LogCapture log(Log::Level::Info);
    LOG_TRACE(L"t");
    LOG_DEBUG(L"d");
    LOG_INFO(L"i");
    LOG_ERROR(L"e");
    const std::string text = log.Text();
    EXPECT_EQ(text.find("[trace]"), std::string::npos);
    EXPECT_EQ(text.find("[debug]"), std::string::npos);
    EXPECT_NE(text.find("[info]"), std::string::npos);
    EXPECT_NE(text.find("[error]"), std::string::npos);
}

TEST(Logger, ARunKeepsAtMostOneRotatedFileBesideTheCurrentOne)
{
    Testing::LogCapture log(Log::Level::Trace, 4096);
    const std::wstring filler(200, L'x');
    for (int i = 0; i < 200; ++i)
    {
        LOG_INFO(filler);
        EXPECT_LE(Testing::FilesIn(log.Folder()).size(), 2u);
    }
    std::uintmax_t total = 0;
    for (const auto& file : Testing::FilesIn(log.Folder()))
        total += boost::filesystem::file_size(file);
    EXPECT_LE(total, 2 * 4096u + 1024u);
}

TEST(InitializeLogging, WritesIntoTheSuiteLogsFolder)
{
    Testing::TempFolder home;
    Testing::ScopedEnvironment environment;
    environment.Set("HOME", home.Path().string()).Unset("XDG_DATA_HOME").Set("KORVANE_LOG_LEVEL", "Debug");
    InitializeLogging();
    LOG_DEBUG(L"hello");
    const auto folder = home.Path() / ".local/share/korvane/korvane antivirus/Logs";
    const auto files = Testing::FilesIn(folder);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(Testing::ReadFile(files[0]).find("[debug]"), std::string::npos);

    Log::Instance::Set(nullptr);
    boost::log::core::get()->remove_all_sinks();
    Log::Detail::filterLevel.store(INT_MAX);
}

TEST(InitializeLogging, WithoutAHomeTheProgramRunsWithoutALog)
{
    Testing::ScopedEnvironment environment;
    environment.Unset("HOME").Unset("XDG_DATA_HOME");
    EXPECT_NO_THROW(InitializeLogging());
    EXPECT_EQ(Log::Instance::Get(), nullptr);
    EXPECT_NO_THROW(LOG_ERROR(L"goes nowhere"));
}
