#include "app/NormalMode.h"

#include "app/QtHighDpiScaling.h"
#include "app/QtProfile.h"
#include "app/QtRenderMode.h"
#include "app/ResourceBundle.h"
#include "app/WebEngineSandbox.h"
#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "kernel_bridge/KernelHost.h"
#include "platform/ProcessInfo.h"
#include "ui/MainWindow.h"

#include <QApplication>

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

    LOG_DEBUG(L"create qapplication");
    QApplication application(argc, argv);
    LOG_DEBUG(L"qapplication created");
    KorvaneCommon::QtProfile::Configure();

    LOG_DEBUG(L"create main window");
    auto window = std::make_unique<MainWindow>(application);
    LOG_DEBUG(L"main window created");
    KernelHost::Instance().GetDirector()->SetWindow(static_cast<std::uint64_t>(window->winId()));

    const int result = QApplication::exec();
    window.reset();
    return result;
}
}
