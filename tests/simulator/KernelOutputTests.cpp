// What the kernel leaves behind for others to read: the journal and its log records.

#include "SimulatorTestSupport.h"

#include "common/Logger.h"
#include "kernel_bridge/Kernel/Scenario.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>
#include <boost/log/core.hpp>
#include <boost/log/expressions.hpp>
#include <boost/log/sinks/basic_sink_backend.hpp>
#include <boost/log/sinks/sync_frontend.hpp>
#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace SimulatorTests
{
namespace
{
TEST_F(SimulatorKernel, JournalRecordsCallsAndEventsInOrder)
{
    Testing::TempFolder folder;
    const boost::filesystem::path journal = folder.Path() / "journal.txt";
    // Every call below is made while no kernel thread is at work, so the order is fixed.
    Open("scenario=LatestVersion,step_ms=0,offer=7,journal=" + journal.string(),
         [](KorvaneUpdaterKernel::IParameters& parameters) {
             parameters.SetLogger(nullptr);
             parameters.SetCommandLine(L"korvaneupdater --silent --dir=/opt/kö");
         });
    auto options = director_->GetOptions();
    options->SetView(L"silent");
    options->SetInstallDirectory("/opt/korvane/korvane antivirus");
    options->SetCreateDesktopShortcut(false);
    director_->SetWindow(12345);
    director_->Init();
    ASSERT_TRUE(events_->WaitFor("ScenarioDetected 4"));
    director_->WaitForInit();
    director_->Start();
    ASSERT_TRUE(events_->WaitFor("Complete"));
    director_->WaitForCompletion();
    director_->RebootRequired();
    director_->GetTsOffer()->GetHomepageAndSearch();
    director_->SetScenario(12);
    ASSERT_TRUE(events_->WaitFor("ScenarioDetected 12"));
    director_->Interrupt(); // no run going: journalled, nothing raised

    std::vector<std::string> expected = {
        "call CreateParameters", "call SetLogger", "call SetCommandLine korvaneupdater --silent --dir=/opt/kö",
        "call CreateDirector", "call GetSignals"};
    for (const std::string& event : EventRecorder::ConnectOrder())
        expected.push_back("call Connect" + event);
    const std::vector<std::string> rest = {
        "call GetOptions", "call SetView silent", "call SetInstallDirectory /opt/korvane/korvane antivirus",
        "call SetCreateDesktopShortcut 0", "call SetWindow 12345", "call Init", "event FloatingProgress 1",
        "event ScenarioDetected 4", "call WaitForInit", "call Start", "event Started", "event Complete",
        "call WaitForCompletion", "call RebootRequired", "call GetTsOffer", "call GetHomepageAndSearch",
        "call SetScenario 12", "event ScenarioDetected 12", "call Interrupt"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(Testing::ReadLines(journal), expected);
}

TEST_F(SimulatorKernel, JournalValuesOfProgressEvents)
{
    Testing::TempFolder folder;
    const boost::filesystem::path journal = folder.Path() / "journal.txt";
    Open("scenario=InstallFeatures,step_ms=0,outcome=error,error_text=Error 1603: fatal error,journal=" +
         journal.string());
    InitAndRun();
    const auto lines = Testing::ReadLines(journal);
    const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("event ProgressComponentChanged 2"));
    EXPECT_TRUE(has("event FloatingProgress 0"));
    EXPECT_TRUE(has("event ProgressDescriptionChanged Copying new files"));
    EXPECT_TRUE(has("event ProgressPositionChanged 40"));
    EXPECT_TRUE(has("event ComponentsProgressPositionChanged 13.3333"));
    // "call WaitForCompletion" may come before or after the run's events.
    const auto lastEvent = std::find_if(lines.rbegin(), lines.rend(),
                                        [](const std::string& line) { return line.rfind("event ", 0) == 0; });
    ASSERT_NE(lastEvent, lines.rend());
    EXPECT_EQ(*lastEvent, "event Error Error 1603: fatal error");
}

// Collects the formatted records of the logging core.
class RecordCollector : public boost::log::sinks::basic_formatted_sink_backend<wchar_t>
{
public:
    void consume(const boost::log::record_view&, const std::wstring& record)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        records_.push_back(record);
    }

    std::vector<std::wstring> Records()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return records_;
    }

private:
    std::mutex mutex_;
    std::vector<std::wstring> records_;
};

TEST_F(SimulatorKernel, LogsThroughTheHandedLoggerOnly)
{
    namespace expr = boost::log::expressions;
    Testing::TempFolder folder;
    auto collector = boost::make_shared<RecordCollector>();
    auto sink = boost::make_shared<boost::log::sinks::synchronous_sink<RecordCollector>>(collector);
    sink->set_formatter(expr::stream << expr::attr<Log::Level::Enum>("Severity") << L" " << expr::message);
    boost::log::core::get()->add_sink(sink);

    // No logger handed over: nothing is written.
    Open("foo=1,step_ms=0");
    EXPECT_TRUE(collector->Records().empty());

    auto logger = std::make_shared<Log::Logger>(folder.Path(), Log::Level::Info, 1 << 20, 2);
    Open("foo=1,step_ms=x,scenario=LatestVersion",
         [&](KorvaneUpdaterKernel::IParameters& parameters) { parameters.SetLogger(logger); });
    InitAndRun();
    Close();
    boost::log::core::get()->remove_sink(sink);

    const auto records = collector->Records();
    const auto has = [&](const std::wstring& start, const std::wstring& end) {
        return std::any_of(records.begin(), records.end(), [&](const std::wstring& record) {
            return record.compare(0, start.size(), start) == 0 && record.size() >= end.size() &&
                   record.compare(record.size() - end.size(), end.size(), end) == 0;
        });
    };
    EXPECT_TRUE(has(L"error [KorvaneUpdaterKernel][KernelSimulator::CreateDirector][", L"]: unknown simulation key=foo"));
    EXPECT_TRUE(has(L"error [KorvaneUpdaterKernel]", L"]: bad simulation value. key=step_ms value=x"));
    EXPECT_TRUE(has(L"info [KorvaneUpdaterKernel][KernelSimulator::DirectorCore::Init][", L"]: init"));
    EXPECT_TRUE(has(L"info [KorvaneUpdaterKernel]", L"]: scenario detected=4"));
    EXPECT_TRUE(has(L"info [KorvaneUpdaterKernel]", L"]: run complete"));
}
}
}
