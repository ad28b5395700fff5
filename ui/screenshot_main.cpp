// Renders the main window to a PNG file: as a fresh start shows it, or in one of the states that
// put the most text into its controls, or one of the dialogs it opens.
#include "notices/notice_source.h"
#include "split/split_naming.h"
#include "ui/info_panel.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/qt_translations.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>
#include <thread>

namespace {

using namespace qytxt;

// No network: the picture shows the window as it starts without notices.
class OfflineNoticeSource : public notices::NoticeSource {
public:
    bool connectivityTest() override { return false; }
    core::Text fetchNoticePage() override { return {}; }
};

class NoDialogs : public ui::PathDialogs {
public:
    QString openTextFile(const QString&) override { return {}; }
    QStringList openTextFiles(const QString&) override { return {}; }
    QString saveTextFile(const QString&) override { return {}; }
    QString chooseFolder(const QString&) override { return {}; }
};

// The widget to render once the window has started; a dialog it opens is owned by the window.
using State = std::function<QWidget*(ui::MainWindow&, const QString& folder)>;

QWidget* fresh(ui::MainWindow& window, const QString&)
{
    return &window;
}

const QString kLongTitle =
    QStringLiteral("我在修仙界当卧底的那些年之重生归来我是天下第一剑仙大人请留步好吗好的呢真的吗是吧");

// The longest realistic texts: a 40-character title, 11-digit numbers and the widest details.
QWidget* longestInfo(ui::MainWindow& window, const QString&)
{
    const QString& title = kLongTitle;
    window.findChild<QLineEdit*>(QStringLiteral("splitSourceField"))
        ->setText(QStringLiteral("/home/reader/小说/") + title + QStringLiteral(".txt"));
    window.findChild<ui::InfoPanel*>(QStringLiteral("infoPanel"))
        ->setInfoText(QStringLiteral("文本标题: ") + title +
                      QStringLiteral(".txt\n\n文本字数: 99999999999\n\n文本大小: 99999999999字节\n\n"
                                     "待分割方式: 按字数分割\n\n待分割详情: 将分割为10000个包含1000000字数的文本\n\n"
                                     "文本编码: UTF-16LE"));
    return &window;
}

// A novel of almost 2 GB, chosen a moment ago, whose count is still under way.
QWidget* counting(ui::MainWindow& window, const QString& folder)
{
    const QString path = folder + QLatin1Char('/') + kLongTitle + QStringLiteral(".txt");
    QFile novel(path);
    if (!novel.open(QIODevice::WriteOnly) || !novel.resize(1999999999))
        return nullptr;
    window.setSplitSource(path);
    return &window;
}

// Counts nothing until it is told to stop, so that the picture catches the count under way.
split::SourceCount countUntilStopped(const core::Text&, const split::FileStamp&, const std::function<bool()>& stop)
{
    while (!stop())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return {};
}

// Half-way through splitting a 100 MB novel into 17,000 parts while 17,000 files are merged.
QWidget* splitting(ui::MainWindow& window, const QString&)
{
    window.findChild<QLineEdit*>(QStringLiteral("splitSourceField"))
        ->setText(QStringLiteral("/home/reader/小说/全本.txt"));
    window.findChild<QLineEdit*>(QStringLiteral("splitFolderField"))->setText(QStringLiteral("/home/reader/小说"));
    window.findChild<ui::InfoPanel*>(QStringLiteral("infoPanel"))
        ->setInfoText(QStringLiteral("文本标题: 全本.txt\n\n文本字数: 51000000\n\n文本大小: 102000000字节\n\n"
                                     "待分割方式: 按字数分割\n\n待分割详情: 将分割为17000个包含3000字数的文本"));
    ui::SplitControls& splitControls = window;
    splitControls.setSplitButtonEnabled(false);
    splitControls.setSplitButtonCaption(split::progressCaption(8500, "17000"));
    ui::MergeControls& mergeControls = window;
    mergeControls.setMergeButtonEnabled(false);
    mergeControls.setMergeButtonCaption(ui::toText(QStringLiteral("正在合并\r\n12345/17000")));
    return &window;
}

QWidget* messageBox(const QString& text, ui::MessageIcon icon)
{
    static ui::QtMessagePresenter presenter;
    presenter.show(text, QStringLiteral("提示"), icon, [] {});
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

QWidget* fileDialog(ui::MainWindow& window, const QString& folder)
{
    auto* dialog = new QFileDialog(&window, QString(), folder, QStringLiteral("文本文件 (*.txt)"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->show();
    return dialog;
}

// What the save dialog asks before it replaces a file.
QWidget* overwritePrompt(ui::MainWindow& window, const QString&)
{
    auto* box = new QMessageBox(
        QMessageBox::Warning, QString(),
        QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(QStringLiteral("全本.txt")),
        QMessageBox::Yes | QMessageBox::No, &window);
    box->show();
    return box;
}

QWidget* contextMenu(ui::MainWindow& window, const QString&)
{
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("splitSourceField"));
    field->setText(QStringLiteral("全本.txt"));
    QMenu* menu = field->createStandardContextMenu();
    menu->setParent(&window, menu->windowFlags());
    menu->popup(field->mapToGlobal(QPoint(10, 10)));
    return menu;
}

const std::map<QString, State>& states()
{
    static const std::map<QString, State> all = {
        {QStringLiteral("fresh"), fresh},
        {QStringLiteral("longest-info"), longestInfo},
        {QStringLiteral("splitting"), splitting},
        {QStringLiteral("counting"), counting},
        {QStringLiteral("done-message"),
         [](ui::MainWindow&, const QString&) { return messageBox(QStringLiteral("分割完成"), ui::MessageIcon::None); }},
        {QStringLiteral("update-message"),
         [](ui::MainWindow&, const QString&) {
             return messageBox(QStringLiteral("版本更新,点击 确定 跳转到下载界面"), ui::MessageIcon::Information);
         }},
        {QStringLiteral("file-dialog"), fileDialog},
        {QStringLiteral("overwrite-prompt"), overwritePrompt},
        {QStringLiteral("context-menu"), contextMenu},
    };
    return all;
}

int usage()
{
    QString names;
    for (const auto& [name, state] : states())
        names += QLatin1Char(' ') + name;
    std::fprintf(stderr, "usage: qytxt-screenshot [--state NAME] OUT.png\nstates:%s\n", qPrintable(names));
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ui::installChineseQtTranslations(&app);
    QStringList arguments = app.arguments().mid(1);
    QString stateName = QStringLiteral("fresh");
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--state")) {
        stateName = arguments[1];
        arguments = arguments.mid(2);
    }
    const auto state = states().find(stateName);
    if (arguments.size() != 1 || state == states().end())
        return usage();
    const QString out = arguments[0];

    QTemporaryDir folder; // what the file dialog lists
    for (const char* name : {"全本.txt", "番外.txt", "第一卷.txt"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write("text");
    }

    ui::WindowServices services;
    services.noticeSources = [] { return std::make_unique<OfflineNoticeSource>(); };
    services.messages = std::make_shared<ui::QtMessagePresenter>();
    services.dialogs = std::make_shared<NoDialogs>();
    services.browser = std::make_shared<ui::DesktopWebBrowser>();
    if (stateName == QLatin1String("counting"))
        services.countSource = countUntilStopped;

    ui::MainWindow window(std::move(services));
    int status = 1;
    QObject::connect(&window, &ui::MainWindow::startupFinished, &app, [&] {
        QWidget* shown = state->second(window, folder.path());
        // Let the dialogs lay themselves out and list the folder before they are drawn.
        QTimer::singleShot(300, &app, [&, shown] {
            status = shown && shown->grab().save(out, "PNG") ? 0 : 1;
            window.close();
            app.quit();
        });
    });
    window.show();
    app.exec();
    window.workers().waitAll(std::chrono::milliseconds(1000));
    return status;
}
