#include "notices/notice_addresses.h"
#include "notices/notice_source.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"
#include "ui/qt_translations.h"
#include "ui/start_paths.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    using namespace qytxt;
    QApplication app(argc, argv);
    // The program ends with its window, even when a message box of a job is still open.
    app.setQuitOnLastWindowClosed(false);
    // Desktops find the window's entry, and with it the name and icon they show, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QYTXT_APP_ID));
    QApplication::setWindowIcon(ui::programIcon());
    ui::installChineseQtTranslations(&app);

    auto dialogs = std::make_shared<ui::QtPathDialogs>();
    ui::WindowServices services;
    services.noticeSources = [] {
        return std::make_unique<notices::HttpNoticeSource>(notices::defaultNoticeAddresses());
    };
    services.messages = std::make_shared<ui::QtMessagePresenter>();
    services.dialogs = dialogs;
    services.browser = std::make_shared<ui::DesktopWebBrowser>();

    auto* window = new ui::MainWindow(std::move(services));
    dialogs->setOwner(window);
    // Qt has taken its own options out of the arguments; what is left are files to open.
    ui::openStartPaths(*window, QApplication::arguments().mid(1));
    QObject::connect(window, &ui::MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window->show();
    app.exec();

    // Closing never waits for a job: the stopped workers get a moment to finish their current
    // step, and whatever still runs after it (a file write, a network call) ends with the process.
    if (window->workers().waitAll(std::chrono::milliseconds(500))) {
        delete window;
        return 0;
    }
    std::fflush(nullptr);
    std::quick_exit(0);
}
