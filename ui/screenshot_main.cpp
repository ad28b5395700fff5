// Renders the main window, as a fresh start shows it, to a PNG file.
#include "notices/notice_source.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

namespace {

// No network: the picture shows the window as it starts without notices.
class OfflineNoticeSource : public qytxt::notices::NoticeSource {
public:
    bool connectivityTest() override { return false; }
    qytxt::core::Text fetchNoticePage() override { return {}; }
};

class NoDialogs : public qytxt::ui::PathDialogs {
public:
    QString openTextFile(const QString&) override { return {}; }
    QStringList openTextFiles(const QString&) override { return {}; }
    QString saveTextFile(const QString&) override { return {}; }
    QString chooseFolder(const QString&) override { return {}; }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qytxt-screenshot OUT.png\n");
        return 2;
    }
    qytxt::ui::WindowServices services;
    services.noticeSources = [] { return std::make_unique<OfflineNoticeSource>(); };
    services.messages = std::make_shared<qytxt::ui::QtMessagePresenter>();
    services.dialogs = std::make_shared<NoDialogs>();
    services.browser = std::make_shared<qytxt::ui::DesktopWebBrowser>();

    qytxt::ui::MainWindow window(std::move(services));
    int status = 1;
    QObject::connect(&window, &qytxt::ui::MainWindow::startupFinished, &app, [&] {
        status = window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
        window.close();
        app.quit();
    });
    window.show();
    app.exec();
    window.workers().waitAll(std::chrono::milliseconds(1000));
    return status;
}
