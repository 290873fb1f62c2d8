#include "kernel_bridge/QtKernelWrapper.h"
#include "support/EventWait.h"
#include "qt/KernelFixture.h"

#include <QMetaMethod>

#include <boost/log/core.hpp>
#include <boost/log/sinks/basic_sink_backend.hpp>
#include <boost/log/sinks/sync_frontend.hpp>
#include <boost/make_shared.hpp>

#include <algorithm>
#include <functional>
#include <optional>

using KorvaneUpdater::QtKernelWrapper;

namespace
{
class QtKernelWrapperTest : public Testing::KernelFixture
{
protected:
    bool JournalHas(const std::string& line) const
    {
        const auto journal = Journal();
        return std::find(journal.begin(), journal.end(), line) != journal.end();
    }
    bool Logged(const std::string& message) const
    {
        return LogText().find("[KorvaneUpdater::QtKernelWrapper::") != std::string::npos &&
               LogText().find("]: " + message + "\n") != std::string::npos;
    }
};

// Sees every record as it is written, with its level and message.
class RecordWatcher : public boost::log::sinks::basic_sink_backend<boost::log::sinks::synchronized_feeding>
{
public:
    using Seen = std::function<void(Log::Level::Enum, const std::wstring&)>;

    explicit RecordWatcher(Seen seen)
        : sink_(boost::make_shared<Sink>(boost::make_shared<Backend>(std::move(seen))))
    {
        boost::log::core::get()->add_sink(sink_);
    }
    ~RecordWatcher() { boost::log::core::get()->remove_sink(sink_); }

private:
    struct Backend : boost::log::sinks::basic_sink_backend<boost::log::sinks::synchronized_feeding>
    {
        explicit Backend(Seen seen) : seen(std::move(seen)) {}
        void consume(const boost::log::record_view& record)
        {
            const auto message = boost::log::extract<std::wstring>("Message", record);
            const auto level = boost::log::extract<Log::Level::Enum>("Severity", record);
            if (message && level)
                seen(*level, *message);
        }
        Seen seen;
    };
    using Sink = boost::log::sinks::synchronous_sink<Backend>;
    boost::shared_ptr<Sink> sink_;
};

// "Name(type,...)" -> parameter names of the facade's meta-object.
std::vector<std::string> ParameterNames(const char* signature)
{
    const QMetaObject& meta = QtKernelWrapper::staticMetaObject;
    const int index = meta.indexOfMethod(QMetaObject::normalizedSignature(signature));
    std::vector<std::string> names;
    if (index < 0)
        return {"<missing>"};
    for (const QByteArray& name : meta.method(index).parameterNames())
        names.push_back(name.toStdString());
    return names;
}
}

TEST_F(QtKernelWrapperTest, EverySlotLogsAndForwardsToTheKernel)
{
    Configure("scenario=Install,offer=3,reboot=1,step_ms=0");
    QtKernelWrapper kernel;

    struct Case
    {
        std::function<void()> call;
        const char* logged;
        const char* journal; // null: the call does not reach the kernel
        bool recordHoldsTheAnswer = false; // then the record follows the call
    } cases[] = {
        {[&] { kernel.Init(); }, "exec Init", "call Init"},
        {[&] { kernel.SetScenario(12); }, "exec SetScenario. scenario=12", "call SetScenario 12"},
        {[&] { kernel.SetScenario(99); }, "exec SetScenario. scenario=99", "call SetScenario 99"},
        {[&] { EXPECT_FALSE(kernel.IncompatiblesDetected()); }, "exec IncompatiblesDetected", "call IncompatiblesDetected"},
        {[&] { EXPECT_TRUE(kernel.RebootRequired()); }, "exec is RebootRequired=1", "call RebootRequired", true},
        {[&] { EXPECT_TRUE(kernel.IsWindowsDefenderEnabled()); }, "exec IsWindowsDefenderEnabled", "call IsWindowsDefenderEnabled"},
        {[&] { EXPECT_TRUE(kernel.IsWindowsDefenderInstalled()); }, "exec IsWindowsDefenderInstalled", "call IsWindowsDefenderInstalled"},
        {[&] { EXPECT_TRUE(kernel.IsWindowsFirewallEnabled()); }, "exec IsWindowsFirewallEnabled", "call IsWindowsFirewallEnabled"},
        {[&] { kernel.SaveLocale(13); }, "exec SaveLocale from updater. locale=13", nullptr},
        {[&] { EXPECT_EQ(kernel.LoadLocale(), 13u); }, "exec LoadLocale from updater", nullptr},
        {[&] { kernel.SetCompatibleInstall(true); }, "exec SetCompatibleInstall. compatible install=1", "call SetCompatibleInstall 1"},
        {[&] { EXPECT_TRUE(kernel.GetCompatibleInstall()); }, "exec GetCompatibleInstall", "call GetCompatibleInstall"},
        {[&] { kernel.SetInstallDirectory(QString::fromUtf8("/opt/Gr\xc3\xbc\xc3\x9f" "e dir")); },
         "exec SetInstallDirectory. install directory=/opt/Gr\xc3\xbc\xc3\x9f" "e dir",
         "call SetInstallDirectory /opt/Gr\xc3\xbc\xc3\x9f" "e dir"},
        {[&] { EXPECT_EQ(kernel.GetInstallDirectory(), QString::fromUtf8("/opt/Gr\xc3\xbc\xc3\x9f" "e dir")); },
         "exec GetInstallDirectory", "call GetInstallDirectory"},
        {[&] { kernel.SetInstallDirectory(QString()); }, "exec SetInstallDirectory. install directory=", "call SetInstallDirectory "},
        {[&] { kernel.SetCreateDesktopShortcut(false); }, "exec SetCreateDesktopShortcut. create desktop shortcut=0",
         "call SetCreateDesktopShortcut 0"},
        {[&] { EXPECT_FALSE(kernel.GetCreateDesktopShortcut()); }, "exec GetCreateDesktopShortcut", "call GetCreateDesktopShortcut"},
        {[&] { kernel.SetRebootRequired(true); }, "exec SetRebootRequired. reboot required=1", "call SetRebootRequired 1"},
        {[&] { EXPECT_TRUE(kernel.GetRebootRequired()); }, "exec GetRebootRequired", "call GetRebootRequired"},
        {[&] { kernel.SetView(QStringLiteral("detectWelcome")); }, "exec SetView. view=detectWelcome", "call SetView detectWelcome"},
        {[&] { EXPECT_EQ(kernel.GetView(), QStringLiteral("detectWelcome")); }, "exec GetView", "call GetView"},
        {[&] { kernel.SetRunDesktop(true); }, "exec SetRunDesktop. run desktop=1", "call SetRunDesktop 1"},
        {[&] { kernel.SetEnableWindowsDefender(true); }, "exec SetEnableWindowsDefender. enable=1", "call SetEnableWindowsDefender 1"},
        {[&] { kernel.SetEnableWindowsFirewall(false); }, "exec SetEnableWindowsFirewall. enable=0", "call SetEnableWindowsFirewall 0"},
        {[&] { EXPECT_TRUE(kernel.IsTsOfferAvailable()); }, "is ts offer available", "call GetTsOffer"},
        {[&] { EXPECT_EQ(kernel.GetTsOfferHomepageAndSearch(), 3); }, "get ts offer home page and search", "call GetHomepageAndSearch"},
        {[&] { kernel.SkipTsOffer(true); }, "skip ts offer=1", "call SetSkip 1"},
        {[&] { kernel.ChangeTsOfferHomepageAndSearch(true); }, "change ts offer homepage and search=1", "call SetChangeSearch 1"},
        {[&] { kernel.Start(); }, "exec Start", "call Start"},
        {[&] { kernel.Interrupt(); }, "exec Interrupt", "call Interrupt"},
    };
    // Each slot's record: its level, and how far the kernel's journal had got when it
    // was written (the call must come after the record).
    std::wstring expected;
    std::optional<Log::Level::Enum> level;
    std::size_t journalAtRecord = 0;
    const RecordWatcher watcher([&](Log::Level::Enum recordLevel, const std::wstring& message) {
        const std::wstring end = L"]: " + expected;
        if (!level && message.size() >= end.size() && message.compare(message.size() - end.size(), end.size(), end) == 0)
        {
            level = recordLevel;
            journalAtRecord = Journal().size();
        }
    });
    for (const Case& c : cases)
    {
        expected = QString::fromUtf8(c.logged).toStdWString();
        level.reset();
        c.call();
        EXPECT_TRUE(Logged(c.logged)) << c.logged;
        ASSERT_TRUE(level.has_value()) << c.logged;
        EXPECT_EQ(*level, Log::Level::Debug) << c.logged;
        if (c.journal != nullptr && !c.recordHoldsTheAnswer)
        {
            const auto journal = Journal();
            const auto at = std::find(journal.begin() + static_cast<long>(std::min(journalAtRecord, journal.size())),
                                      journal.end(), c.journal);
            EXPECT_NE(at, journal.end()) << c.journal << " after the record " << c.logged;
        }
        else if (c.journal != nullptr)
        {
            EXPECT_TRUE(JournalHas(c.journal)) << c.journal;
        }
    }
    EXPECT_EQ(LogText().find("[error]"), std::string::npos) << LogText();
    // The page's numbers for the language id travel as "size_t".
    EXPECT_EQ(QMetaType::type("size_t"), qMetaTypeId<size_t>());
}

TEST_F(QtKernelWrapperTest, OfferFlagsAreSetHomepageFirst)
{
    Configure("step_ms=0");
    QtKernelWrapper kernel;
    kernel.ChangeTsOfferHomepageAndSearch(false);
    const auto journal = Journal();
    const auto homepage = std::find(journal.begin(), journal.end(), "call SetChangeHomepage 0");
    const auto search = std::find(journal.begin(), journal.end(), "call SetChangeSearch 0");
    ASSERT_NE(homepage, journal.end());
    ASSERT_NE(search, journal.end());
    EXPECT_LT(homepage, search);
}

TEST_F(QtKernelWrapperTest, WithoutAnOfferNothingIsCalled)
{
    Configure("offer=0,step_ms=0");
    QtKernelWrapper kernel;
    EXPECT_FALSE(kernel.IsTsOfferAvailable());
    EXPECT_EQ(kernel.GetTsOfferHomepageAndSearch(), 0);
    kernel.SkipTsOffer(true);
    kernel.ChangeTsOfferHomepageAndSearch(true);

    const std::string log = LogText();
    std::size_t errors = 0;
    for (std::size_t at = log.find("]: no ts offer is available\n"); at != std::string::npos;
         at = log.find("]: no ts offer is available\n", at + 1))
        ++errors;
    EXPECT_EQ(errors, 3u);
    EXPECT_TRUE(Logged("skip ts offer=1"));
    for (const auto& line : Journal())
        EXPECT_TRUE(line.rfind("call SetSkip", 0) != 0 && line.rfind("call SetChange", 0) != 0) << line;
}

TEST_F(QtKernelWrapperTest, ExecUrlOpensTheBuiltLinkWithTheShell)
{
    Configure("step_ms=0");
    QtKernelWrapper kernel;
    kernel.ExecUrl(2);
    kernel.ExecUrl(25);
    EXPECT_TRUE(Logged("exec url. lid=2"));
    EXPECT_NE(LogText().find("]: url=https://redirect.korvane.com/redirect.php?LID=LID002&userflow=renew_inapp&culture="),
              std::string::npos)
        << LogText();
    EXPECT_TRUE(Logged("url="));
    // The empty link of an id without an address is handed over all the same.
    ASSERT_TRUE(Testing::WaitUntil([&] {
        const std::string opened = OpenedTargets();
        return std::count(opened.begin(), opened.end(), '\n') >= 2;
    }));
    // Each opener runs on its own, so they may record in either order.
    const std::string opened = OpenedTargets();
    EXPECT_NE(opened.find("https://redirect.korvane.com/redirect.php?LID=LID002&userflow=renew_inapp&culture="),
              std::string::npos)
        << opened;
    EXPECT_TRUE(opened.rfind("\n", 0) == 0 || opened.find("\n\n") != std::string::npos) << opened;
}

TEST(QtKernelWrapperMeta, PublishesTheParameterNamesThePageUses)
{
    struct Case
    {
        const char* signature;
        std::vector<std::string> names;
    } cases[] = {
        {"SetScenario(int)", {"scenario"}},
        {"SaveLocale(size_t)", {"locale"}},
        {"SetCompatibleInstall(bool)", {"compatible_install"}},
        {"SetInstallDirectory(QString)", {"install_directory"}},
        {"SetCreateDesktopShortcut(bool)", {"create_desktop_shortcut"}},
        {"SetRebootRequired(bool)", {"reboot_required"}},
        {"SetView(QString)", {"view"}},
        {"SetRunDesktop(bool)", {"run_desktop"}},
        {"SetEnableWindowsDefender(bool)", {"enable"}},
        {"SetEnableWindowsFirewall(bool)", {"enable"}},
        {"ExecUrl(int)", {"lid"}},
        {"SkipTsOffer(bool)", {"skip"}},
        {"ChangeTsOfferHomepageAndSearch(bool)", {"change"}},
        {"ScenarioDetectedSignal(int)", {"scenario"}},
        {"ProgressComponentChangedSignal(int)", {"component"}},
        {"ProgressPositionChangedSignal(double)", {"progress"}},
        {"FloatingProgressSignal(bool)", {"floating"}},
        {"ProgressDescriptionChangedSignal(QString)", {"description"}},
        {"ErrorSignal(QString)", {"description"}},
        {"EnablingWindowsDefenderSignal(bool)", {"enable"}},
        {"EnablingWindowsFirewallSignal(bool)", {"enable"}},
        {"ComponentsProgressPositionChangedSignal(double)", {"progress"}},
        {"CompleteSignal()", {}},
        {"LoadLocale()", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParameterNames(c.signature), c.names) << c.signature;

    int publicSlots = 0;
    const QMetaObject& meta = QtKernelWrapper::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        publicSlots += meta.method(i).methodType() == QMetaMethod::Slot && meta.method(i).access() == QMetaMethod::Public;
    EXPECT_EQ(publicSlots, 29);
}
