#include "ui/MainWindow.h"

#include "common/Log.h"
#include "ui/CloseEventFilter.h"
#include "ui/EmbeddedPage.h"
#include "ui/LockedWebPage.h"
#include "ui/MoveEventFilter.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace KorvaneUpdater
{
namespace
{
const char* const kTitle = "Korvane Antivirus Updater";
const QSize kCaptionSize(782, 30);
const QSize kGapSize(5, 30);
const QSize kIconSize(16, 16);
const QSize kButtonSize(36, 30);
const QSize kViewSize(782, 588);
// How long a loaded page may take to draw its first screen (the kernel may take its time
// to detect the scenario) before the window shows it as it is.
const int kShowWithoutPageMs = 1000;

QWidget* FixedWidget(QWidget* parent, const QSize& size)
{
    auto* widget = new QWidget(parent);
    widget->setFixedSize(size);
    return widget;
}
}

MainWindow::MainWindow(QApplication& application) : windowHelper(this)
{
    LOG_INFO(L"construct main window");
    SetupUi();
    AttachSignals(application);
}

MainWindow::~MainWindow()
{
    // The page goes before the channel and the objects it publishes.
    delete takeCentralWidget();
}

void MainWindow::SetupUi()
{
    LOG_INFO(L"setup ui");
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(QIcon(QStringLiteral(":/html/angular/icons/enabled.ico")));

    auto* caption = new QWidget(this);
    caption->setAttribute(Qt::WA_MouseTracking);
    caption->setAttribute(Qt::WA_Hover);
    caption->setFixedSize(kCaptionSize);
    caption->setObjectName(QStringLiteral("caption"));
    caption->setStyleSheet(QStringLiteral("QWidget#caption { background-color: rgb(202, 202, 202) }"));

    caption->installEventFilter(new QtCommon::MoveEventFilter(this));
    // Sees the native messages of every window of this thread, for the process's life.
    static QtCommon::CloseEventFilter closeFilter;
    QAbstractEventDispatcher::instance()->installNativeEventFilter(&closeFilter);

    auto* captionLayout = new QHBoxLayout;
    captionLayout->setSpacing(0);
    captionLayout->setContentsMargins(0, 0, 0, 0);

    QWidget* leftGap = FixedWidget(caption, kGapSize);
    auto* icon = new QLabel(caption);
    icon->setObjectName(QStringLiteral("icon-label"));
    icon->setStyleSheet(QStringLiteral("QLabel#icon-label {border-image: url(:/html/angular/icons/enabled.ico);}"));
    icon->setFixedSize(kIconSize);
    QWidget* iconGap = FixedWidget(caption, kGapSize);
    auto* text = new QLabel(caption);
    text->setObjectName(QStringLiteral("text-label"));
    text->setStyleSheet(QStringLiteral(
        "QLabel#text-label {font:12px/16px 'canaro-Book', Arial, Helvetica, sans-serif; font-size: 13px; color: black;}"));
    text->setFont(GetFont());
    text->setText(windowTitle());

    auto* minimize = new QPushButton(caption);
    minimize->setObjectName(QStringLiteral("minimize"));
    minimize->setStyleSheet(QStringLiteral(
        "QPushButton#minimize {border-image: url(:/html/angular/icons/minimize-normal.png);} "
        "QPushButton#minimize:hover, QPushButton#minimize:focus {border-image: url(:/html/angular/icons/minimize-hover.png);} "
        "QPushButton#minimize:pressed {border-image: url(:/html/angular/icons/minimize-pressed.png);}"));
    minimize->setFixedSize(kButtonSize);
    // Reached with Tab from the page, never focused by a click; named for screen readers.
    minimize->setFocusPolicy(Qt::TabFocus);
    minimize->setAccessibleName(QStringLiteral("Minimize"));
    connect(minimize, &QPushButton::released, this, &MainWindow::HandleMinimizeButton);

    auto* close = new QPushButton(caption);
    close->setObjectName(QStringLiteral("close"));
    close->setStyleSheet(QStringLiteral(
        "QPushButton#close {border-image: url(:/html/angular/icons/close-normal.png);} "
        "QPushButton#close:hover, QPushButton#close:focus {border-image: url(:/html/angular/icons/close-hover.png);} "
        "QPushButton#close:pressed {border-image: url(:/html/angular/icons/close-pressed.png);}"));
    close->setFixedSize(kButtonSize);
    close->setFocusPolicy(Qt::TabFocus);
    close->setAccessibleName(QStringLiteral("Close"));
    connect(close, &QPushButton::released, this, &MainWindow::HandleCloseButton);

    captionLayout->addWidget(leftGap);
    captionLayout->addWidget(icon);
    captionLayout->addWidget(iconGap);
    captionLayout->addWidget(text, 1);
    captionLayout->addWidget(minimize);
    captionLayout->addWidget(close);
    caption->setLayout(captionLayout);

    auto* view = new QWebEngineView(this);
    view->setPage(new LockedWebPage(view));
    view->setFixedSize(kViewSize);

    channel.registerObject(QStringLiteral("updater_kernel"), &kernel);
    channel.registerObject(QStringLiteral("window_helpers"), &windowHelper);
    channel.registerObject(QStringLiteral("system_helpers"), &systemHelper);
    channel.registerObject(QStringLiteral("ui_extensions"), &uiExtensions);
    view->page()->setWebChannel(&channel);

    view->setContextMenuPolicy(Qt::NoContextMenu);
    view->setAcceptDrops(false);

    auto* layout = new QVBoxLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(view);
    auto* central = new QWidget(this);
    central->setLayout(layout);
    setCentralWidget(central);

    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(kCaptionSize.width(), kCaptionSize.height() + kViewSize.height());

    LoadView(view);
}

void MainWindow::LoadView(QWebEngineView* view)
{
    LOG_INFO(L"load view");
    pageView = view;
    showTimer.setSingleShot(true);
    showTimer.setInterval(kShowWithoutPageMs);
    connect(&showTimer, &QTimer::timeout, this, &MainWindow::ShowWindow);
    // The page asks for the window through window_helpers once its first screen is drawn.
    // A failed load shows the window at once, and so does any load after the first show.
    connect(view, &QWebEngineView::loadFinished, view, [this](bool ok) {
        LOG_INFO(L"load finished");
        if (!ok || shown)
            ShowWindow();
        else
            showTimer.start();
    }, Qt::DirectConnection);
    view->load(EmbeddedPage::StartAddress());
}

void MainWindow::ShowWindow()
{
    showTimer.stop();
    if (isVisible())
        return;
    LOG_INFO(L"show window");
    shown = true;
    show();
    activateWindow();
    // The keyboard starts in the page, not on the caption's buttons.
    pageView->setFocus();
}

QFont MainWindow::GetFont()
{
    LOG_INFO(L"get font");
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/html/angular/fonts/Canaro-Book.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    // The font ships in the resource bundle; without it the caption keeps the default.
    return families.isEmpty() ? QFont() : QFont(families.front());
}

void MainWindow::AttachSignals(QApplication& application)
{
    LOG_DEBUG(L"attach signals");
    connect(&application, &QGuiApplication::commitDataRequest, &application, [this](QSessionManager&) {
        LOG_INFO(L"commit data request. close window");
        close();
    }, Qt::DirectConnection);
}

void MainWindow::HandleMinimizeButton()
{
    LOG_INFO(L"handle minimize button");
    showMinimized();
}

void MainWindow::HandleCloseButton()
{
    LOG_INFO(L"handle close button");
    emit WindowCloseRequestSignal();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    LOG_INFO(L"close event");
    if (event->spontaneous())
    {
        event->ignore();
        emit WindowCloseRequestSignal();
        return;
    }
    event->accept();
}
}
