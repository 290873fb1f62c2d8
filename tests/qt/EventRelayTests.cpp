#include "kernel_bridge/KernelHost.h"
#include "kernel_bridge/QtKernelWrapper.h"
#include "support/EventWait.h"
#include "qt/KernelFixture.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <sstream>
#include <memory>
#include <string>
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
        using S = QtKernelWrapperSignals;
        auto on = [this](const std::string& name) {
            return [this, name] { Add(name); };
        };
        QObject::connect(&kernel, &S::NotEnoughDiskSpaceSignal, on("NotEnoughDiskSpace"));
        QObject::connect(&kernel, &S::AnotherInstallationInProgressSignal, on("AnotherInstallationInProgress"));
        QObject::connect(&kernel, &S::ScenarioDetectedSignal, [this](int s) { Add("ScenarioDetected " + std::to_string(s)); });
        QObject::connect(&kernel, &S::InterruptedSignal, on("Interrupted"));
        QObject::connect(&kernel, &S::StartedSignal, on("Started"));
        QObject::connect(&kernel, &S::StoppingServiceSignal, on("StoppingService"));
        QObject::connect(&kernel, &S::ServiceStoppedSignal, on("ServiceStopped"));
        QObject::connect(&kernel, &S::ProgressComponentChangedSignal,
                         [this](int c) { Add("ProgressComponentChanged " + std::to_string(c)); });
        QObject::connect(&kernel, &S::ProgressPositionChangedSignal,
                         [this](double p) { Add("ProgressPositionChanged " + Number(p)); });
        QObject::connect(&kernel, &S::FloatingProgressSignal,
                         [this](bool f) { Add(std::string("FloatingProgress ") + (f ? "1" : "0")); });
        QObject::connect(&kernel, &S::ProgressDescriptionChangedSignal,
                         [this](const QString& d) { Add("ProgressDescriptionChanged " + d.toStdString()); });
        QObject::connect(&kernel, &S::ErrorSignal, [this](const QString& d) { Add("Error " + d.toStdString()); });
        QObject::connect(&kernel, &S::CompleteSignal, on("Complete"));
        QObject::connect(&kernel, &S::ComponentsProgressPositionChangedSignal,
                         [this](double p) { Add("ComponentsProgressPositionChanged " + Number(p)); });
    }

    std::vector<std::string> events;
    bool allOnGuiThread = true;

private:
    static std::string Number(double value)
    {
        std::ostringstream text;
        text << value;
        return text.str();
    }

    void Add(const std::string& event)
    {
        allOnGuiThread = allOnGuiThread && QThread::currentThread() == qApp->thread();
        events.push_back(event);
    }
};

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
    EXPECT_EQ(recorder.events, raised);
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
    Testing::WaitUntil([&] {
        const auto journal = Journal();
        return Contains(journal, "event ScenarioDetected 4");
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(received, 0);
}

// Destroys facades while several kernel threads raise events at them. Run under
// ThreadSanitizer, this shows that no handler touches a destroyed facade or proxy.
TEST_F(EventRelayTest, DestroyingTheFacadeWhileEventsFlyIsSafe)
{
    Configure("step_ms=0,scenario=Install");
    for (int round = 0; round < 40; ++round)
    {
        auto kernel = std::make_unique<QtKernelWrapper>();
        kernel->Start();
        for (int i = 0; i < 4; ++i)
            kernel->SetScenario(i);
        kernel->Interrupt();
        if (round % 2 == 0)
            QCoreApplication::processEvents();
        kernel.reset();
    }
    KernelHost::Destroy(); // joins every kernel thread
    QCoreApplication::processEvents();
    SUCCEED();
}
