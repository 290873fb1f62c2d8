#pragma once

#include <QObject>

namespace KorvaneUpdater
{
class MainWindow;

// Window control for the page, published as "window_helpers".
class MainWindowHelper : public QObject
{
    Q_OBJECT

public:
    explicit MainWindowHelper(MainWindow* window);

signals:
    // The user asked to close the window; the page answers with Close() if it agrees.
    void WindowCloseRequestSignal();

public slots:
    void Close();
    void Hide();
    // The page has drawn its first screen: the window shows.
    void Show();

private:
    MainWindow* window;
};
}
