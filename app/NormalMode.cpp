#include "app/NormalMode.h"

#include "app/QtHighDpiScaling.h"
#include "app/QtProfile.h"
#include "app/QtRenderMode.h"
#include "app/ResourceBundle.h"
#include "app/Termination.h"
#include "app/WebEngineSandbox.h"
#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "kernel_bridge/KernelHost.h"
#include "platform/ProcessInfo.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QMetaObject>

#include <memory>

namespace KorvaneUpdater
{
int RunNormalMode(int& argc, char** argv)
{
    LOG_DEBUG(L"run normal mode");
    RegisterResourceBundle();
    KorvaneCommon::QtRenderMode::Configure();
    KorvaneCommon::QtHighDpiScaling::Configure();
    ConfigureWebEngineSandbox();
    if (!Platform::HasDisplay())
        BOOST_THROW_EXCEPTION(ExceptionHelper::Exception("no display to open the window on"));
    // The kernel is loaded before the web engine starts: a web engine taken down again
    // before its event loop ever ran can corrupt the heap on its way out, so a kernel that
    // cannot be loaded must fail here, not in the window's kernel facade.
    KernelHost::Instance();

    LOG_DEBUG(L"create qapplication");
    QApplication application(argc, argv);
    LOG_DEBUG(L"qapplication created");
    KorvaneCommon::QtProfile::Configure();

    LOG_DEBUG(L"create main window");
    auto window = std::make_unique<MainWindow>(application);
    LOG_DEBUG(L"main window created");
    KernelHost::Instance().GetDirector()->SetWindow(static_cast<std::uint64_t>(window->winId()));

    // Asked to end from outside: the window closes as it does when the session ends,
    // without asking the page.
    MainWindow* const shown = window.get();
    int result = 0;
    {
        const Termination::ScopedAction closeOnRequest([shown] {
            QMetaObject::invokeMethod(shown, [shown] {
                LOG_INFO(L"close window");
                shown->close();
            }, Qt::QueuedConnection);
        });
        result = QApplication::exec();
    }
    window.reset();
    return result;
}
}
