#pragma once

#include "kernel_bridge/QtKernelWrapper.h"
#include "ui/MainWindowHelper.h"
#include "ui/SystemHelper.h"
#include "ui/UIExtensions.h"

#include <QFont>
#include <QMainWindow>
#include <QTimer>
#include <QWebChannel>

class QApplication;
class QCloseEvent;
class QWebEngineView;

namespace KorvaneUpdater
{
// The program's only window: a frameless, fixed-size frame with a caption bar of its
// own above the web view that shows the embedded page. A close request from the user
// is handed to the page, which decides. The window shows itself when the page has drawn
// its first screen, or when a load ends without that.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QApplication& application);
    ~MainWindow() override;

    // Shows the window, if it is not on the screen, and brings it to the front.
    void ShowWindow();

signals:
    void WindowCloseRequestSignal();

private slots:
    void HandleMinimizeButton();
    void HandleCloseButton();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetupUi();
    void LoadView(QWebEngineView* view);
    QFont GetFont();
    void AttachSignals(QApplication& application);

    QWebChannel channel;
    QtKernelWrapper kernel;
    MainWindowHelper windowHelper;
    QtCommon::SystemHelper systemHelper;
    QtCommon::UIExtensions uiExtensions;
    QWebEngineView* pageView = nullptr;
    // After a load, shows the window if the page has not asked for it by then.
    QTimer showTimer;
    bool shown = false;
};
}
