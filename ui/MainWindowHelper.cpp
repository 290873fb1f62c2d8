#include "ui/MainWindowHelper.h"

#include "ui/MainWindow.h"

namespace KorvaneUpdater
{
MainWindowHelper::MainWindowHelper(MainWindow* window) : window(window)
{
    connect(window, &MainWindow::WindowCloseRequestSignal, window,
            [this] { emit WindowCloseRequestSignal(); }, Qt::DirectConnection);
}

void MainWindowHelper::Close()
{
    window->close();
}

void MainWindowHelper::Hide()
{
    window->hide();
}

void MainWindowHelper::Show()
{
    window->ShowWindow();
}
}
