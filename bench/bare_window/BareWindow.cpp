// The start-up and relay baseline: a frameless 782 x 618 window whose web view loads
// one page from a Qt resource and binds one object over the web channel, with the web
// engine settings of the updater (render path, high-DPI scaling, profile and page
// attributes, sandbox off as root). Nothing else.
//
// It prints "<phase> <microseconds since the epoch>" lines on stdout for the driver:
// main, application, load (view asked to load), loaded (loadFinished). Like the
// updater it shows the window when the page has loaded.
//
// The page object "bench": Flood(count, perSecond) sends `count` ProgressSignal(i)
// from a worker thread through a queued connection (perSecond 0: as fast as possible;
// Stop ends it early); Ping() answers at once, for click round trips.

#include <QApplication>
#include <QThread>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <unistd.h>

namespace
{
void Mark(const char* phase)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%s %lld\n", phase,
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(stdout);
}

class Source : public QObject
{
    Q_OBJECT
signals:
    void Progress(double progress);
};

class BareObject : public QObject
{
    Q_OBJECT

public:
    BareObject() { connect(&source_, &Source::Progress, this, &BareObject::ProgressSignal); }
    ~BareObject() override { Stop(); }

signals:
    void ProgressSignal(double progress);

public slots:
    void Flood(int count, int perSecond)
    {
        Stop();
        stop_ = false;
        worker_ = std::make_unique<std::thread>([this, count, perSecond] {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < count && !stop_.load(std::memory_order_relaxed); ++i)
            {
                if (perSecond > 0)
                    std::this_thread::sleep_until(start + std::chrono::microseconds(1000000LL * i / perSecond));
                emit source_.Progress(static_cast<double>(i));
            }
        });
    }

    void Stop()
    {
        stop_ = true;
        if (worker_ && worker_->joinable())
            worker_->join();
        worker_.reset();
    }

    int Ping() { return 1; }

private:
    Source source_;
    std::atomic<bool> stop_{false};
    std::unique_ptr<std::thread> worker_;
};
}

int main(int argc, char** argv)
{
    Mark("main");
    Q_INIT_RESOURCE(bare_window);
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);

    QApplication application(argc, argv);
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    profile->setHttpCacheType(QWebEngineProfile::NoCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    Mark("application");

    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    window.setFixedSize(782, 618);
    auto* view = new QWebEngineView(&window);
    view->setFixedSize(782, 618);
    auto* page = new QWebEnginePage(view);
    QWebEngineSettings* s = page->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    view->setPage(page);

    BareObject object;
    QWebChannel channel;
    channel.registerObject(QStringLiteral("bench"), &object);
    page->setWebChannel(&channel);

    QObject::connect(view, &QWebEngineView::loadFinished, &window, [&window](bool) {
        Mark("loaded");
        window.show();
        window.activateWindow();
    });
    view->load(QUrl(QStringLiteral("qrc:/bench/index.html")));
    Mark("load");
    const int result = QApplication::exec();
    object.Stop();
    return result;
}

#include "BareWindow.moc"
