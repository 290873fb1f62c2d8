#include "kernel_bridge/KernelEventTable.h"
#include "kernel_bridge/KernelHost.h"
#include "kernel_bridge/QtKernelWrapper.h"
#include "support/EventWait.h"
#include "qt/KernelFixture.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

using KorvaneUpdater::QtKernelWrapper;
using KorvaneUpdater::QtKernelWrapperSignals;

namespace
{
class EventRelayTest : public Testing::KernelFixture
{
};

// Every signal of the facade as "Name value", in the order they reached the page side.
class SignalRecorder
{
public:
    explicit SignalRecorder(QtKernelWrapper& kernel)
    {
#define KORVANE_RECORD_EVENT(Name, Severity, ValueLabel, Latest)                                                      \
    QObject::connect(&kernel, &QtKernelWrapperSignals::Name##Signal,                                       \
                     [this](auto... values) { Add(std::string(#Name) + Values(values...)); });
        KORVANE_KERNEL_EVENTS(KORVANE_RECORD_EVENT)
#undef KORVANE_RECORD_EVENT
    }

    std::vector<std::string> events;
    bool allOnGuiThread = true;

private:
    // The values as the kernel's journal writes them: " 6", " 1", " text".
    static std::string Values() { return {}; }
    template <class Value>
    static std::string Values(const Value& value)
    {
        std::ostringstream text;
        if constexpr (std::is_same_v<Value, QString>)
            text << ' ' << value.toStdString();
        else if constexpr (std::is_same_v<Value, bool>)
            text << ' ' << (value ? 1 : 0);
        else
            text << ' ' << value;
        return text.str();
    }

    void Add(const std::string& event)
    {
        allOnGuiThread = allOnGuiThread && QThread::currentThread() == qApp->thread();
        events.push_back(event);
    }
};

// The events that the kernel raised (as the journal has them) against those the page
// got: every event in the same order, except that of the events where only the latest
// value counts some values may be left out, never the last of a kind before the next
// other event.
void ExpectSameEventsKeepingTheLatestValues(const std::vector<std::string>& received,
                                            const std::vector<std::string>& raised)
{
    const auto kindOf = [](const std::string& event) { return event.substr(0, event.find(' ')); };
    const auto latestOnly = [&](const std::string& event) {
        const std::string kind = kindOf(event);
        return kind == "ProgressPositionChanged" || kind == "ComponentsProgressPositionChanged";
    };
    // Each list as runs of latest-only values, each run closed by another event (the last
    // run by none).
    struct Run
    {
        std::vector<std::string> values;
        std::string closedBy;
    };
    const auto runs = [&](const std::vector<std::string>& events) {
        std::vector<Run> result(1);
        for (const std::string& event : events)
        {
            if (latestOnly(event))
            {
                result.back().values.push_back(event);
            }
            else
            {
                result.back().closedBy = event;
                result.emplace_back();
            }
        }
        return result;
    };
    const std::vector<Run> got = runs(received), sent = runs(raised);
    ASSERT_EQ(got.size(), sent.size());
    for (std::size_t i = 0; i < got.size(); ++i)
    {
        EXPECT_EQ(got[i].closedBy, sent[i].closedBy) << "run " << i;
        // Of each kind, what the page got is taken from what was raised, in order, and
        // ends with the last value raised.
        for (const std::string kind : {"ProgressPositionChanged", "ComponentsProgressPositionChanged"})
        {
            const auto ofKind = [&](const std::vector<std::string>& values) {
                std::vector<std::string> result;
                std::copy_if(values.begin(), values.end(), std::back_inserter(result),
                             [&](const std::string& value) { return kindOf(value) == kind; });
                return result;
            };
            const std::vector<std::string> gotValues = ofKind(got[i].values), sentValues = ofKind(sent[i].values);
            auto next = sentValues.begin();
            for (const std::string& value : gotValues)
            {
                next = std::find(next, sentValues.end(), value);
                ASSERT_NE(next, sentValues.end()) << value << " in run " << i;
            }
            ASSERT_EQ(gotValues.empty(), sentValues.empty()) << kind << " in run " << i;
            if (!sentValues.empty())
            {
                EXPECT_EQ(gotValues.back(), sentValues.back()) << "run " << i;
            }
        }
    }
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
}

TEST_F(EventRelayTest, KernelThreadEventsReachThePageSideOnTheGuiThreadInOrder)
{
    Configure("scenario=Update,step_ms=0");
    QtKernelWrapper kernel;
    SignalRecorder recorder(kernel);

    kernel.Init();
    EXPECT_TRUE(recorder.events.empty()); // nothing runs page code on the kernel's thread
    ASSERT_TRUE(Testing::WaitUntil([&] { return Contains(recorder.events, "ScenarioDetected 6"); }));
    kernel.Start();
    ASSERT_TRUE(Testing::WaitUntil([&] { return Contains(recorder.events, "Complete"); }));
    EXPECT_TRUE(recorder.allOnGuiThread);

    // Exactly the kernel's events, in the order it raised them.
    std::vector<std::string> raised;
    for (const std::string& line : Journal())
    {
        if (line.rfind("event ", 0) == 0)
            raised.push_back(line.substr(6));
    }
    ExpectSameEventsKeepingTheLatestValues(recorder.events, raised);
    EXPECT_EQ(recorder.events.back(), "Complete");
    EXPECT_NE(LogText().find("]: emit ScenarioDetectedSignal\n"), std::string::npos);
    EXPECT_NE(LogText().find("[trace]"), std::string::npos);
    EXPECT_NE(LogText().find("]: emit ComponentsProgressPositionChangedSignal. progress=100\n"), std::string::npos);
}

TEST_F(EventRelayTest, ErrorTextIsDecodedAsUtf8)
{
    Configure("step_ms=0,outcome=error,error_text=Fehler beim Schreiben: \xc3\xa4\xe2\x82\xac \xe6\x97\xa5");
    QtKernelWrapper kernel;
    QString received;
    QObject::connect(&kernel, &QtKernelWrapperSignals::ErrorSignal, [&](const QString& text) { received = text; });
    kernel.Start();
    ASSERT_TRUE(Testing::WaitUntil([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QString::fromUtf8("Fehler beim Schreiben: \xc3\xa4\xe2\x82\xac \xe6\x97\xa5"));
    EXPECT_NE(LogText().find("]: emit ErrorSignal\n"), std::string::npos);
}

TEST_F(EventRelayTest, AfterTheFacadeIsGoneEventsReachNoHandler)
{
    Configure("step_ms=0");
    auto kernel = std::make_unique<QtKernelWrapper>();
    int received = 0;
    QObject::connect(kernel.get(), &QtKernelWrapperSignals::ScenarioDetectedSignal, [&](int) { ++received; });
    kernel.reset();
    KernelHost::Instance().GetDirector()->SetScenario(4);
    ASSERT_TRUE(Testing::WaitUntil([&] { return Contains(Journal(), "event ScenarioDetected 4"); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(received, 0);
}

// Destroys facades while several kernel threads raise events at them. Run under
// ThreadSanitizer, this shows that no handler touches a destroyed facade or proxy.
TEST_F(EventRelayTest, DestroyingTheFacadeWhileEventsFlyIsSafe)
{
    Configure("step_ms=0,scenario=Install");
    int beforeDestruction = 0;
    int afterDestruction = 0;
    for (int round = 0; round < 40; ++round)
    {
        auto kernel = std::make_unique<QtKernelWrapper>();
        auto alive = std::make_shared<bool>(true);
        const auto count = [&, alive] { ++(*alive ? beforeDestruction : afterDestruction); };
        QObject::connect(kernel.get(), &QtKernelWrapperSignals::ScenarioDetectedSignal, count);
        QObject::connect(kernel.get(), &QtKernelWrapperSignals::ProgressPositionChangedSignal, count);
        kernel->Start();
        for (int i = 0; i < 4; ++i)
            kernel->SetScenario(i);
        kernel->Interrupt();
        if (round % 2 == 0)
            QCoreApplication::processEvents();
        *alive = false;
        kernel.reset();
    }
    KernelHost::Destroy(); // joins every kernel thread
    QCoreApplication::processEvents();
    EXPECT_GT(beforeDestruction, 0);
    EXPECT_EQ(afterDestruction, 0);
}
