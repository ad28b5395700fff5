// Several files at once: chosen in the add dialog, dropped from a file manager, given at start.
#include "test_services.h"
#include "ui/start_paths.h"

#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrl>

using namespace qytxt::ui;
using namespace qytxt::ui::testing;

namespace {

struct DropOutcome {
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

// What a file manager sends: enter, move, then the drop, with Shift held, which asks for a move.
DropOutcome drag(QWidget* target, QPoint pos, QMimeData* data)
{
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(pos, offered, data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return {};
    QDragMoveEvent move(pos, offered, data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(pos), offered, data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &drop);
    return {drop.isAccepted(), drop.dropAction()};
}

} // namespace

class IncomingPathsTest : public WindowFixture {
    Q_OBJECT

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList paths(const QStringList& names) const
    {
        QStringList all;
        for (const QString& name : names)
            all << path(name);
        return all;
    }
    void fillList(const QStringList& names, int current)
    {
        for (const QString& name : names) {
            m_services->dialogs->answers = {path(name)};
            QTest::mouseClick(get<QPushButton>("addAfterButton"), Qt::LeftButton);
        }
        if (current >= 0) {
            auto* list = get<QListWidget>("mergeList");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(current)).center());
        }
    }
    void checkList(const QStringList& names, int current)
    {
        QCOMPARE(listTexts(), paths(names));
        QCOMPARE(m_window->mergeList().currentEntry(), current);
        QCOMPARE(get<QListWidget>("mergeList")->currentRow(), current);
    }

private slots:
    void init()
    {
        openWindow();
        for (const char* name :
             {"小说(1).txt", "小说(2).txt", "小说(10).txt", "卷/2.txt", "卷/10.txt", "卷/notes.md"}) {
            QVERIFY(QDir().mkpath(QFileInfo(path(QString::fromUtf8(name))).path()));
            QVERIFY(writeFile(path(QString::fromUtf8(name)), "x"));
        }
    }
    void cleanup() { closeWindow(); }

    void addButtonsTakeSeveralFiles_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("currentAfter");
        const QStringList chapters = {QStringLiteral("小说(10).txt"), QStringLiteral("小说(2).txt"),
                                      QStringLiteral("小说(1).txt")};
        const QStringList ordered = {QStringLiteral("小说(1).txt"), QStringLiteral("小说(2).txt"),
                                     QStringLiteral("小说(10).txt")};
        const QStringList abc = {"a", "b", "c"};
        QTest::newRow("after the current entry")
            << abc << 1 << "addAfterButton" << chapters << (QStringList{"a", "b"} + ordered + QStringList{"c"}) << 4;
        QTest::newRow("before the current entry")
            << abc << 1 << "addBeforeButton" << chapters << (QStringList{"a"} + ordered + QStringList{"b", "c"}) << 3;
        QTest::newRow("no current entry appends") << abc << -1 << "addBeforeButton" << chapters << (abc + ordered) << 5;
        QTest::newRow("one file keeps the one-file rule")
            << abc << -1 << "addAfterButton" << QStringList{chapters.front()} << (abc + QStringList{chapters.front()})
            << -1;
    }
    void addButtonsTakeSeveralFiles()
    {
        QFETCH(QStringList, before);
        QFETCH(int, current);
        QFETCH(QString, button);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, after);
        QFETCH(int, currentAfter);
        fillList(before, current);
        m_services->dialogs->answers = {paths(chosen).join(QLatin1Char('\n'))};
        m_services->dialogs->kinds.clear();
        QTest::mouseClick(get<QPushButton>(button.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(m_services->dialogs->kinds, QStringList{QStringLiteral("open")});
        checkList(after, currentAfter);
        // The shared dialog opens empty for the next picker.
        m_services->dialogs->arguments.clear();
        QTest::mouseClick(get<QPushButton>("sourcePicker"), Qt::LeftButton);
        QCOMPARE(m_services->dialogs->arguments, QStringList{QString()});
    }

    void drops_data()
    {
        // Where: "row N" of the merge list, "below" its entries, or a control by name. Dropped:
        // names in the temporary folder, "url:" a remote address, "text:" plain text.
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("source");
        const QStringList abc = {"a", "b", "c"};
        const QString one = QStringLiteral("小说(1).txt");
        QTest::newRow("files before the entry under the pointer")
            << "row 1" << QStringList{QStringLiteral("小说(10).txt"), QStringLiteral("小说(2).txt")} << true
            << QStringList{"a", QStringLiteral("小说(2).txt"), QStringLiteral("小说(10).txt"), "b", "c"} << 2
            << QString();
        QTest::newRow("below the entries appends")
            << "below" << QStringList{one} << true << (abc + QStringList{one}) << 3 << QString();
        QTest::newRow("a folder adds its text files")
            << "row 0" << QStringList{QStringLiteral("卷")} << true
            << (QStringList{QStringLiteral("卷/2.txt"), QStringLiteral("卷/10.txt")} + abc) << 1 << QString();
        QTest::newRow("remote items are left out") << "row 2" << QStringList{"url:https://example.invalid/3.txt", one}
                                                   << true << QStringList{"a", "b", one, "c"} << 2 << QString();
        QTest::newRow("nothing local refused on the list")
            << "row 0" << QStringList{"url:https://example.invalid/3.txt"} << false << abc << 2 << QString();
        QTest::newRow("one file on the source field")
            << "splitSourceField" << QStringList{one} << true << abc << 2 << one;
        QTest::newRow("one file on the split panel") << "partsLabel" << QStringList{one} << true << abc << 2 << one;
        QTest::newRow("one file on the disabled size field")
            << "sizeField" << QStringList{one} << true << abc << 2 << one;
        QTest::newRow("several files refused on the split panel")
            << "splitFolderField" << QStringList{one, QStringLiteral("小说(2).txt")} << false << abc << 2 << QString();
        QTest::newRow("a folder refused on the split panel")
            << "sourceLabel" << QStringList{QStringLiteral("卷")} << false << abc << 2 << QString();
        QTest::newRow("merge panel outside the list")
            << "mergeOutputLabel" << QStringList{one} << false << abc << 2 << QString();
        QTest::newRow("plain text still reaches the field")
            << "splitSourceField" << QStringList{"text:typed"} << true << abc << 2 << "text:typed";
    }
    void drops()
    {
        QFETCH(QString, where);
        QFETCH(QStringList, dropped);
        QFETCH(bool, accepted);
        QFETCH(QStringList, list);
        QFETCH(int, current);
        QFETCH(QString, source);
        m_window->insertMergeEntries(-1, {toText(path("a")), toText(path("b")), toText(path("c"))});

        QMimeData data;
        QList<QUrl> urls;
        for (const QString& item : dropped) {
            if (item.startsWith(QLatin1String("url:")))
                urls << QUrl(item.mid(4));
            else if (item.startsWith(QLatin1String("text:")))
                data.setText(item.mid(5));
            else
                urls << QUrl::fromLocalFile(path(item));
        }
        if (!urls.isEmpty())
            data.setUrls(urls);

        auto* listBox = get<QListWidget>("mergeList");
        QWidget* target = m_window.get();
        QPoint pos;
        if (where.startsWith(QLatin1String("row "))) {
            target = listBox->viewport();
            pos = listBox->visualItemRect(listBox->item(where.mid(4).toInt())).center();
        } else if (where == QLatin1String("below")) {
            target = listBox->viewport();
            pos = QPoint(20, target->height() - 5);
        } else {
            auto* control = m_window->findChild<QWidget*>(where);
            QVERIFY(control);
            // Enabled fields take drops themselves; labels and disabled fields leave them to the window.
            if (qobject_cast<QLineEdit*>(control) && control->isEnabled())
                target = control;
            pos = target == control ? control->rect().center() : control->geometry().center();
        }

        const DropOutcome outcome = drag(target, pos, &data);
        QCOMPARE(outcome.accepted, accepted);
        if (accepted && data.hasUrls())
            QCOMPARE(outcome.action, Qt::CopyAction); // a move would let the file manager delete them
        checkList(list, current);
        const QString expectedSource = source.startsWith(QLatin1String("text:")) ? source.mid(5)
                                       : source.isEmpty()                        ? QString()
                                                                                 : path(source);
        QCOMPARE(get<QLineEdit>("splitSourceField")->text(), expectedSource);
        if (!source.isEmpty() && !expectedSource.endsWith(QLatin1String("typed")))
            QCOMPARE(get<QLineEdit>("splitFolderField")->text(), m_dir->path());
    }

    void startPaths_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("source");
        QTest::newRow("none") << QStringList() << QStringList() << QString();
        QTest::newRow("one file") << QStringList{QStringLiteral("小说(2).txt")} << QStringList()
                                  << QStringLiteral("小说(2).txt");
        QTest::newRow("several files in natural order")
            << QStringList{QStringLiteral("小说(10).txt"), QStringLiteral("小说(1).txt"), QStringLiteral("小说(2).txt")}
            << QStringList{QStringLiteral("小说(1).txt"), QStringLiteral("小说(2).txt"), QStringLiteral("小说(10).txt")}
            << QString();
        QTest::newRow("a folder") << QStringList{QStringLiteral("卷")}
                                  << QStringList{QStringLiteral("卷/2.txt"), QStringLiteral("卷/10.txt")} << QString();
    }
    void startPaths()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, list);
        QFETCH(QString, source);
        // Given relative to the current folder, as typed in a terminal.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        openStartPaths(*m_window, arguments);
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(listTexts(), paths(list));
        QCOMPARE(get<QLineEdit>("splitSourceField")->text(), source.isEmpty() ? QString() : path(source));
        QCOMPARE(get<QLineEdit>("splitFolderField")->text(), source.isEmpty() ? QString() : m_dir->path());
    }

    void windowShowsTheProgramIcon()
    {
        const QImage icon = m_window->windowIcon().pixmap(48).toImage();
        QVERIFY(!icon.isNull());
        // Drawn, not blank: the middle of the icon is opaque.
        QCOMPARE(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255);
    }
};

QTEST_MAIN(IncomingPathsTest)
#include "incoming_paths_test.moc"
