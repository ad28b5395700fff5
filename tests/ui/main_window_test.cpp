// The window's controls, fields, merge list and pickers, driven through clicks and key presses, and
// its message boxes and Qt's own dialogs as the user reads them.
#include "test_services.h"
#include "ui/info_panel.h"
#include "ui/qt_translations.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTextLayout>
#include <QToolButton>

using namespace qytxt::ui;
using namespace qytxt::ui::testing;

namespace {

const QString kUnknownInfo =
    QStringLiteral("文本标题: 未知\n\n文本字数: 未知\n\n文本大小: 未知\n\n待分割方式: 未知\n\n待分割详情: 未知");

QString captionOf(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* panel = qobject_cast<InfoPanel*>(widget))
        return panel->infoText();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return field->text();
    return {};
}

// What the user sees of a control: the window drawn over the control's rectangle.
QImage drawn(QWidget& window, QWidget* control)
{
    return window.grab(control->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Where a text was drawn (the pixels that differ between the control drawn with and without it),
// and in how many lines: runs of rows with ink.
struct Ink {
    QRect bounds;
    int lines = 0;
};

Ink inkOf(const QImage& with, const QImage& without)
{
    Ink ink;
    bool inLine = false;
    for (int y = 0; y < with.height(); ++y) {
        bool rowInk = false;
        for (int x = 0; x < with.width(); ++x) {
            const QRgb a = with.pixel(x, y);
            const QRgb b = without.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 60) {
                ink.bounds |= QRect(x, y, 1, 1);
                rowInk = true;
            }
        }
        ink.lines += rowInk && !inLine ? 1 : 0;
        inLine = rowInk;
    }
    return ink;
}

// The lines a text makes in `font` when each of its lines is wrapped to `width`.
int wrappedLines(const QString& text, const QFont& font, int width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QTextLayout layout(line, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine wrapped = layout.createLine(); wrapped.isValid(); wrapped = layout.createLine())
            wrapped.setLineWidth(width);
        layout.endLayout();
        lines += layout.lineCount();
    }
    return lines;
}

// The lowest row of `image` that differs from its bottom row: a frame line, or what lies above one.
int lowestRowAboveInterior(const QImage& image)
{
    const int bottom = image.height() - 1;
    for (int y = bottom - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(x, bottom))
                return y;
        }
    }
    return -1;
}

bool hasChinese(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

QMessageBox* openBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class MainWindowTest : public WindowFixture {
    Q_OBJECT

private:
    QString info() { return get<InfoPanel>("infoPanel")->infoText(); }
    void click(const char* name) { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }
    void selectRow(int row)
    {
        auto* list = get<QListWidget>("mergeList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void loseFocus(QWidget* field)
    {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        get<QLineEdit>("splitFolderField")->setFocus();
        QTRY_VERIFY(!field->hasFocus());
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void freshWindowControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");

        auto row = [](const char* name, int x, int y, int w, int h, const QString& caption, bool enabled = true) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, w, h) << caption << enabled;
        };
        row("splitGroup", 17, 12, 495, 258, QStringLiteral("TXT小说分割"));
        row("splitSettingsGroup", 25, 35, 477, 89, QStringLiteral("分割设置"));
        row("splitDetailsGroup", 25, 127, 477, 135, QStringLiteral("分割详情"));
        row("mergeGroup", 17, 278, 495, 251, QStringLiteral("TXT小说合并"));
        row("mergeSettingsGroup", 26, 298, 477, 221, QStringLiteral("合并设置"));
        row("sourceLabel", 44, 63, 52, 14, QStringLiteral("选择文本"));
        row("splitSourceField", 94, 57, 363, 27, QString());
        row("sourcePicker", 463, 58, 20, 22, QStringLiteral("..."));
        row("splitFolderLabel", 44, 94, 52, 14, QStringLiteral("保存位置"));
        row("splitFolderField", 94, 88, 363, 27, QString());
        row("folderPicker", 463, 90, 20, 22, QStringLiteral("..."));
        row("byPartsRadio", 39, 158, 85, 19, QStringLiteral("按部分分割"));
        row("bySizeRadio", 128, 158, 85, 18, QStringLiteral("按字数分割"));
        row("partsLabel", 41, 186, 110, 14, QStringLiteral("将文本分割为几部分"));
        row("partsField", 154, 179, 40, 26, QStringLiteral("6"));
        row("partsArrows", 194, 179, 18, 26, QString());
        row("sizeLabel", 41, 218, 110, 14, QStringLiteral("将文本分割为几少字"));
        row("sizeField", 154, 212, 40, 26, QStringLiteral("3000"), false);
        row("sizeArrows", 194, 212, 18, 26, QString(), false);
        row("infoPanel", 222, 137, 211, 122, kUnknownInfo);
        row("splitButton", 437, 140, 61, 113, QStringLiteral("分割生成"));
        row("mergeList", 29, 319, 397, 152, QString());
        row("addBeforeButton", 429, 316, 70, 25, QStringLiteral("向前添加TXT"));
        row("addAfterButton", 429, 341, 70, 25, QStringLiteral("向后添加TXT"));
        row("deleteEntryButton", 429, 367, 70, 25, QStringLiteral("删除该项"));
        row("deleteAllButton", 429, 394, 70, 25, QStringLiteral("删除全部"));
        row("moveUpButton", 429, 419, 70, 25, QStringLiteral("向前移一项"));
        row("moveDownButton", 429, 445, 70, 25, QStringLiteral("向后移一项"));
        row("mergeOutputLabel", 32, 488, 49, 14, QStringLiteral("保存位置"));
        row("mergeOutputField", 83, 483, 279, 27, QString());
        row("outputPicker", 365, 486, 20, 22, QStringLiteral("..."));
        row("mergeButton", 393, 473, 105, 42, QStringLiteral("合并生成"));
        row("adLine", 0, 532, 532, 14, QString());
    }
    void freshWindowControls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        auto* widget = m_window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), m_window.get());
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(captionOf(widget), caption);
        QCOMPARE(widget->isEnabled(), enabled);
        QVERIFY(widget->isVisible());
    }

    void freshWindowState()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("青筠TXT小说分割合并器v1.1     by--tavrick"));
        QCOMPARE(m_window->size(), QSize(532, 546));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const auto flags = m_window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        // Centred by the outer frame (the offscreen platform gives windows a frame of 2 pixels).
        QVERIFY(m_window->frameGeometry().size() != m_window->size());
        const QPoint offCentre = m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
        QVERIFY2(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1, "the window does not open centred");

        QVERIFY(get<QRadioButton>("byPartsRadio")->isChecked());
        QVERIFY(!get<QRadioButton>("bySizeRadio")->isChecked());
        QCOMPARE(get<QLineEdit>("partsField")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(get<QListWidget>("mergeList")->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!get<QListWidget>("mergeList")->isSortingEnabled());

        auto* ad = get<QLabel>("adLine");
        QCOMPARE(ad->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(ad->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(ad->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(ad->textFormat(), Qt::PlainText);

        // Growing the window is refused.
        m_window->resize(700, 700);
        QCOMPARE(m_window->size(), QSize(532, 546));
    }

    void captionsDrawnWhole_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, const char* button, const QString& caption) {
            QTest::newRow(name) << QString::fromLatin1(button) << caption;
        };
        row("split idle", "splitButton", QStringLiteral("分割生成"));
        row("split 1/3", "splitButton", QStringLiteral("正在分割\r\n1/3"));
        row("split 1000/1000", "splitButton", QStringLiteral("正在分割\r\n1000/1000"));
        row("split 3605/34991", "splitButton", QStringLiteral("正在分割\r\n3605/34991"));
        row("split 17485/17485", "splitButton", QStringLiteral("正在分割\r\n17485/17485"));
        row("split seven digits", "splitButton", QStringLiteral("正在分割\r\n1000000/1000000"));
        row("merge idle", "mergeButton", QStringLiteral("合并生成"));
        row("merge 0/2", "mergeButton", QStringLiteral("正在合并\r\n0/2"));
        row("merge 17485/17485", "mergeButton", QStringLiteral("正在合并\r\n17485/17485"));
        row("merge seven digits", "mergeButton", QStringLiteral("正在合并\r\n1000000/1000000"));
        row("add before", "addBeforeButton", QStringLiteral("向前添加TXT"));
        row("add after", "addAfterButton", QStringLiteral("向后添加TXT"));
        row("move up", "moveUpButton", QStringLiteral("向前移一项"));
    }
    void captionsDrawnWhole()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        auto* control = m_window->findChild<QPushButton*>(button);
        QVERIFY(control);
        const auto show = [&](const QString& text) {
            if (button == QLatin1String("splitButton"))
                static_cast<SplitControls*>(m_window.get())->setSplitButtonCaption(toText(text));
            else if (button == QLatin1String("mergeButton"))
                static_cast<MergeControls*>(m_window.get())->setMergeButtonCaption(toText(text));
            else
                control->setText(text);
        };
        show(caption);
        const QImage with = drawn(*m_window, control);
        show(QString());
        const Ink ink = inkOf(with, drawn(*m_window, control));
        // Within the button's frame: text cut off at the edges would reach them.
        QVERIFY2(control->rect().adjusted(2, 2, -2, -2).contains(ink.bounds), "the caption is cut off");
        QVERIFY(ink.lines >= caption.count(QLatin1Char('\n')) + 1);
    }

    void infoPanelShowsEveryLine_data()
    {
        QTest::addColumn<QString>("text");
        const QString rest = QStringLiteral("\n\n文本字数: 5\n\n文本大小: 10字节\n\n待分割方式: 按部分分割\n\n"
                                            "待分割详情: 将分割为2个包含5字数的文本");
        const QString longest = QStringLiteral(
            "文本标题: 我在修仙界当卧底的那些年之重生归来我是天下第一剑仙大人请留步好吗好的呢真的吗是吧.txt"
            "\n\n文本字数: 99999999999\n\n文本大小: 99999999999字节\n\n待分割方式: 按字数分割\n\n"
            "待分割详情: 将分割为10000个包含1000000字数的文本");
        const QString encoding = QStringLiteral("\n\n文本编码: UTF-16LE");
        QTest::newRow("unknown") << kUnknownInfo;
        QTest::newRow("short title") << QStringLiteral("文本标题: 三体.txt") + rest;
        QTest::newRow("short title, encoding") << QStringLiteral("文本标题: 三体.txt") + rest + encoding;
        QTest::newRow("title of 40 letters")
            << QStringLiteral("文本标题: %1.txt").arg(QString(40, QLatin1Char('W'))) + rest;
        QTest::newRow("longest values") << longest;
        QTest::newRow("longest values, encoding") << longest + encoding;
    }
    void infoPanelShowsEveryLine()
    {
        QFETCH(QString, text);
        auto* panel = get<InfoPanel>("infoPanel");
        panel->setInfoText(QString());
        const QImage without = drawn(*m_window, panel);
        panel->setInfoText(text);
        const QImage with = drawn(*m_window, panel);

        const Ink ink = inkOf(with, without);
        // Below the frame line of the details group that crosses the panel's top rows, and above
        // the panel's bottom edge, where a line would be cut off.
        QVERIFY2(ink.bounds.top() > lowestRowAboveInterior(without), "a frame line crosses the text");
        QVERIFY2(ink.bounds.bottom() < panel->height() - 1, "the last line reaches the panel's edge");
        // Every line, wrapped in the font the panel uses, is drawn apart from the others.
        QCOMPARE(ink.lines, wrappedLines(text, panel->font(), panel->width()));
    }

    void radioSwitching()
    {
        const QString path = m_dir->filePath(QStringLiteral("三体.txt"));
        QVERIFY(writeFile(path, QByteArray(6000, 'a')));
        get<QLineEdit>("splitSourceField")->setText(path);
        QVERIFY(info().endsWith(QStringLiteral("待分割方式: 按部分分割\n\n待分割详情: 将分割为6个包含1000字数的文本")));

        click("bySizeRadio");
        QVERIFY(get<QRadioButton>("bySizeRadio")->isChecked());
        QVERIFY(!get<QRadioButton>("byPartsRadio")->isChecked());
        QVERIFY(!get<QLineEdit>("partsField")->isEnabled());
        QVERIFY(get<QLineEdit>("sizeField")->isEnabled());
        QVERIFY(get<QWidget>("sizeArrows")->isEnabled());
        QVERIFY(!get<QWidget>("partsArrows")->isEnabled());
        QVERIFY(info().endsWith(QStringLiteral("待分割方式: 按字数分割\n\n待分割详情: 将分割为2个包含3000字数的文本")));
        QVERIFY(info().startsWith(QStringLiteral("文本标题: 三体.txt\n\n文本字数: 6000\n\n文本大小: 6000字节")));

        click("byPartsRadio");
        QVERIFY(get<QLineEdit>("partsField")->isEnabled());
        QVERIFY(!get<QLineEdit>("sizeField")->isEnabled());
        QVERIFY(info().contains(QStringLiteral("按部分分割")));
    }

    void lostFocusRules_data()
    {
        QTest::addColumn<bool>("sizeField");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("parts 1") << false << "1"
                                 << "6";
        QTest::newRow("parts 0") << false << "0"
                                 << "6";
        QTest::newRow("parts empty") << false << ""
                                     << "6";
        QTest::newRow("parts negative") << false << "-3"
                                        << "6";
        QTest::newRow("parts 2 stays") << false << "2"
                                       << "2";
        QTest::newRow("parts 007 stays") << false << "007"
                                         << "007";
        QTest::newRow("size 0") << true << "0"
                                << "3000";
        QTest::newRow("size negative") << true << "-5"
                                       << "3000";
        QTest::newRow("size empty") << true << ""
                                    << "3000";
        QTest::newRow("size 1 stays") << true << "1"
                                      << "1";
        QTest::newRow("size 007 tidied") << true << "007"
                                         << "7";
        QTest::newRow("size 000 tidied then replaced") << true << "000"
                                                       << "3000";
    }
    void lostFocusRules()
    {
        QFETCH(bool, sizeField);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        if (sizeField)
            click("bySizeRadio");
        auto* field = get<QLineEdit>(sizeField ? "sizeField" : "partsField");
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), typed);

        // The context menu leaves the caret in the field: the rule waits until the field is left.
        const QPoint inside = field->rect().center();
        QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, inside, field->mapToGlobal(inside));
        QApplication::sendEvent(field, &menuRequest);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(field->text(), typed);
        QApplication::activePopupWidget()->close();
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->text(), typed);

        loseFocus(field);
        QCOMPARE(field->text(), expected);
    }

    void typingFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits") << "1234"
                                << "1234";
        QTest::newRow("minus") << "-12"
                               << "-12";
        QTest::newRow("letters dropped") << "1a2B"
                                         << "12";
        QTest::newRow("blank and dot dropped") << "3 .4"
                                               << "34";
        QTest::newRow("plus dropped") << "+5"
                                      << "5";
        QTest::newRow("full-width digit dropped") << QStringLiteral("7８") << "7";
        QTest::newRow("Chinese numerals dropped") << QStringLiteral("3一二") << "3";
    }
    void typingFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        auto* field = get<QLineEdit>("partsField");
        field->setFocus();
        field->clear();
        // keyClicks takes Latin-1 only; other characters arrive as key events carrying their text.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(field->text(), expected);

        // Text an input method commits passes the same filter.
        field->clear();
        QInputMethodEvent composed(typed, {});
        QApplication::sendEvent(field, &composed);
        QInputMethodEvent committed;
        committed.setCommitString(typed);
        QApplication::sendEvent(field, &committed);
        QCOMPARE(field->text(), expected);
    }

    void controlKeysStillWork()
    {
        auto* field = get<QLineEdit>("partsField");
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, QStringLiteral("1234"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("123"));
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QStringLiteral("23"));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString());
    }

    void spinArrows_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("expected");
        QTest::newRow("parts up") << "parts"
                                  << "6"
                                  << "up"
                                  << "7";
        QTest::newRow("parts down") << "parts"
                                    << "6"
                                    << "down"
                                    << "5";
        QTest::newRow("parts upper bound") << "parts"
                                           << "10000"
                                           << "up"
                                           << "10000";
        QTest::newRow("parts lower bound") << "parts"
                                           << "2"
                                           << "down"
                                           << "2";
        QTest::newRow("parts below bounds") << "parts"
                                            << "0"
                                            << "up"
                                            << "2";
        QTest::newRow("parts no number") << "parts"
                                         << ""
                                         << "down"
                                         << "2";
        QTest::newRow("parts above bounds") << "parts"
                                            << "99999"
                                            << "down"
                                            << "10000";
        QTest::newRow("size up") << "size"
                                 << "3000"
                                 << "up"
                                 << "3001";
        QTest::newRow("size upper bound") << "size"
                                          << "1000000"
                                          << "up"
                                          << "1000000";
        QTest::newRow("size lower bound") << "size"
                                          << "1"
                                          << "down"
                                          << "1";
    }
    void spinArrows()
    {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(QString, arrow);
        QFETCH(QString, expected);
        if (field == QLatin1String("size"))
            click("bySizeRadio");
        auto* edit = m_window->findChild<QLineEdit*>(field + QLatin1String("Field"));
        auto* arrows = m_window->findChild<QWidget*>(field + QLatin1String("Arrows"));
        auto* button = arrows->findChild<QToolButton*>(arrow);
        QVERIFY(edit && button);
        edit->setText(start);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(edit->text(), expected);
        QVERIFY(info().isEmpty() == false);
    }

    void previewFollowsFields()
    {
        auto* source = get<QLineEdit>("splitSourceField");
        const QString path = m_dir->filePath(QStringLiteral("novel.txt"));
        QVERIFY(writeFile(path, QByteArray(12, 'x')));
        source->setFocus();
        QTest::keyClicks(source, path);
        QVERIFY(info().startsWith(QStringLiteral("文本标题: novel.txt\n\n文本字数: 12\n\n文本大小: 12字节")));
        QVERIFY(info().endsWith(QStringLiteral("将分割为6个包含2字数的文本")));

        auto* parts = get<QLineEdit>("partsField");
        parts->setFocus();
        QTest::keyClick(parts, Qt::Key_Backspace);
        QTest::keyClicks(parts, QStringLiteral("4"));
        QVERIFY(info().endsWith(QStringLiteral("将分割为4个包含3字数的文本")));

        click("bySizeRadio");
        auto* size = get<QLineEdit>("sizeField");
        size->setFocus();
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("5"));
        QVERIFY(info().endsWith(QStringLiteral("将分割为3个包含5字数的文本")));

        // Clearing the source shows the unknown text at once.
        source->setFocus();
        source->selectAll();
        QTest::keyClick(source, Qt::Key_Backspace);
        QCOMPARE(info(), kUnknownInfo);
    }

    void samePathWrittenAgainRefreshes()
    {
        const QString path = m_dir->filePath(QStringLiteral("novel.txt"));
        QVERIFY(writeFile(path, QByteArray(12, 'x')));
        m_services->dialogs->answers = {path, path};
        click("sourcePicker");
        QVERIFY(info().contains(QStringLiteral("文本字数: 12")));
        QVERIFY(writeFile(path, QByteArray(30, 'x')));
        click("sourcePicker");
        QVERIFY(info().contains(QStringLiteral("文本字数: 30")));
    }

    void mergeListButtons_data()
    {
        // Steps: "after X" / "before X" add through the dialog, "select N" clicks row N, and the
        // button names move-up, move-down, delete, delete-all.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("current");
        const auto steps = [](const char* text) { return QString::fromLatin1(text).split(QLatin1Char(',')); };
        const auto entries = [](const char* text) {
            return QString::fromLatin1(text).split(QLatin1Char(','), Qt::SkipEmptyParts);
        };
        QTest::newRow("add after with none current appends") << steps("after a,after b") << entries("a,b") << -1;
        QTest::newRow("add before with none current appends") << steps("before a,before b") << entries("a,b") << -1;
        QTest::newRow("add after current") << steps("after a,after b,select 0,after c") << entries("a,c,b") << 1;
        QTest::newRow("add after last") << steps("after a,after b,select 1,after c") << entries("a,b,c") << 2;
        QTest::newRow("add before first") << steps("after a,after b,select 0,before c") << entries("c,a,b") << 0;
        QTest::newRow("add before second") << steps("after a,after b,select 1,before c") << entries("a,c,b") << 1;
        QTest::newRow("same file twice") << steps("after a,after a") << entries("a,a") << -1;
        QTest::newRow("move up") << steps("after a,after b,after c,select 2,move-up") << entries("a,c,b") << 1;
        QTest::newRow("move up first") << steps("after a,after b,select 0,move-up") << entries("a,b") << 0;
        QTest::newRow("move up none") << steps("after a,after b,move-up") << entries("a,b") << -1;
        QTest::newRow("move down") << steps("after a,after b,after c,select 0,move-down") << entries("b,a,c") << 1;
        QTest::newRow("move down last") << steps("after a,after b,select 1,move-down") << entries("a,b") << 1;
        QTest::newRow("move down none") << steps("after a,after b,move-down") << entries("a,b") << -1;
        QTest::newRow("delete first") << steps("after a,after b,after c,select 0,delete") << entries("b,c") << 0;
        QTest::newRow("delete middle") << steps("after a,after b,after c,select 1,delete") << entries("a,c") << 0;
        QTest::newRow("delete only") << steps("after a,select 0,delete") << entries("") << -1;
        QTest::newRow("delete none") << steps("after a,after b,delete") << entries("a,b") << -1;
        QTest::newRow("delete all") << steps("after a,after b,select 1,delete-all") << entries("") << -1;
        QTest::newRow("delete all empty") << steps("delete-all") << entries("") << -1;
        QTest::newRow("cancelled add") << steps("after a,select 0,after ") << entries("a") << 0;
        // A click never leaves the list without a highlighted current entry.
        QTest::newRow("click below the entries") << steps("after a,after b,select 1,below") << entries("a,b") << 1;
        QTest::newRow("click below, then delete")
            << steps("after a,after b,select 1,below,delete") << entries("a") << 0;
        QTest::newRow("ctrl+click the selected entry")
            << steps("after a,after b,select 0,ctrl 0") << entries("a,b") << 0;
        QTest::newRow("ctrl+click another entry") << steps("after a,after b,select 0,ctrl 1") << entries("a,b") << 1;
        QTest::newRow("ctrl+space on the selected entry") << steps("after a,select 0,ctrl-space") << entries("a") << 0;
        QTest::newRow("click below with none current") << steps("after a,below") << entries("a") << -1;
    }
    void mergeListButtons()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, entries);
        QFETCH(int, current);
        for (const QString& step : steps) {
            const QString word = step.section(QLatin1Char(' '), 0, 0);
            const QString argument = step.section(QLatin1Char(' '), 1);
            if (word == QLatin1String("after") || word == QLatin1String("before")) {
                m_services->dialogs->answers = {argument};
                click(word == QLatin1String("after") ? "addAfterButton" : "addBeforeButton");
                QCOMPARE(m_services->dialogs->kinds.last(), QStringLiteral("open"));
            } else if (word == QLatin1String("select")) {
                selectRow(argument.toInt());
            } else if (word == QLatin1String("ctrl")) {
                auto* list = get<QListWidget>("mergeList");
                const QRect row = list->visualItemRect(list->item(argument.toInt()));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
            } else if (word == QLatin1String("ctrl-space")) {
                QTest::keyClick(get<QListWidget>("mergeList"), Qt::Key_Space, Qt::ControlModifier);
            } else if (word == QLatin1String("below")) {
                auto* list = get<QListWidget>("mergeList");
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 5));
            } else {
                const QString button = word == QLatin1String("move-up")     ? QStringLiteral("moveUpButton")
                                       : word == QLatin1String("move-down") ? QStringLiteral("moveDownButton")
                                       : word == QLatin1String("delete")    ? QStringLiteral("deleteEntryButton")
                                                                            : QStringLiteral("deleteAllButton");
                click(button.toLatin1().constData());
            }
        }
        auto* list = get<QListWidget>("mergeList");
        QCOMPARE(listTexts(), entries);
        QCOMPARE(list->currentRow(), current);
        QCOMPARE(list->selectedItems().size(), current < 0 ? 0 : 1);
        if (current >= 0)
            QCOMPARE(list->selectedItems().first(), list->item(current));
        QCOMPARE(m_window->mergeList().currentEntry(), current);
        QCOMPARE(m_window->mergeList().entryCount(), entries.size());
    }

    void sourcePicker_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::newRow("ascii folder") << QStringLiteral("novels");
        // GBK 9C 5C: the second byte is the backslash byte.
        QTest::newRow("folder ending in a 0x5C second byte") << QStringLiteral("小说淺");
    }
    void sourcePicker()
    {
        QFETCH(QString, folderName);
        const QString folder = m_dir->filePath(folderName);
        const QString path = folder + QStringLiteral("/三体.txt");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(path, QByteArray("abc")));
        QStringList order;
        connect(get<QLineEdit>("splitSourceField"), &QLineEdit::textChanged, this,
                [&order] { order << QStringLiteral("source"); });
        connect(get<QLineEdit>("splitFolderField"), &QLineEdit::textChanged, this,
                [&order] { order << QStringLiteral("folder"); });
        m_services->dialogs->answers = {path};
        click("sourcePicker");
        QCOMPARE(m_services->dialogs->kinds, QStringList{QStringLiteral("open")});
        QCOMPARE(get<QLineEdit>("splitSourceField")->text(), path);
        QCOMPARE(get<QLineEdit>("splitFolderField")->text(), folder);
        QCOMPARE(order, (QStringList{QStringLiteral("source"), QStringLiteral("folder")}));
        QVERIFY(info().startsWith(QStringLiteral("文本标题: 三体.txt")));
    }

    void cancelledPickersChangeNothing()
    {
        get<QLineEdit>("splitSourceField")->setText(QStringLiteral("/a/b.txt"));
        get<QLineEdit>("splitFolderField")->setText(QStringLiteral("/c"));
        get<QLineEdit>("mergeOutputField")->setText(QStringLiteral("/d.txt"));
        for (const char* picker : {"sourcePicker", "folderPicker", "outputPicker", "addAfterButton", "addBeforeButton"})
            click(picker);
        QCOMPARE(m_services->dialogs->kinds, (QStringList{"open", "folder", "save", "open", "open"}));
        QCOMPARE(get<QLineEdit>("splitSourceField")->text(), QStringLiteral("/a/b.txt"));
        QCOMPARE(get<QLineEdit>("splitFolderField")->text(), QStringLiteral("/c"));
        QCOMPARE(get<QLineEdit>("mergeOutputField")->text(), QStringLiteral("/d.txt"));
        QCOMPARE(get<QListWidget>("mergeList")->count(), 0);
    }

    void folderPicker()
    {
        m_services->dialogs->answers = {QStringLiteral("/x/out")};
        click("folderPicker");
        QCOMPARE(m_services->dialogs->arguments, QStringList{QStringLiteral("选择文本存放目录")});
        QCOMPARE(get<QLineEdit>("splitFolderField")->text(), QStringLiteral("/x/out"));
    }

    void outputPickerExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare name") << "/x/merged"
                                   << "/x/merged.txt";
        QTest::newRow("already .txt") << "/x/merged.txt"
                                      << "/x/merged.txt";
        QTest::newRow("upper case .TXT") << "/x/merged.TXT"
                                         << "/x/merged.TXT";
        QTest::newRow("mixed case .Txt") << "/x/merged.Txt"
                                         << "/x/merged.Txt";
        QTest::newRow("other extension") << "/x/merged.log"
                                         << "/x/merged.log.txt";
        QTest::newRow("txt without dot") << "/x/mergedtxt"
                                         << "/x/mergedtxt.txt";
    }
    void outputPickerExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        m_services->dialogs->answers = {chosen};
        click("outputPicker");
        QCOMPARE(get<QLineEdit>("mergeOutputField")->text(), expected);
    }

    void screenshotProgramRendersTheWindow_data()
    {
        QTest::addColumn<QStringList>("state");
        QTest::newRow("fresh") << QStringList();
        QTest::newRow("splitting") << QStringList{QStringLiteral("--state"), QStringLiteral("splitting")};
        QTest::newRow("longest info") << QStringList{QStringLiteral("--state"), QStringLiteral("longest-info")};
        QTest::newRow("counting") << QStringList{QStringLiteral("--state"), QStringLiteral("counting")};
    }
    void screenshotProgramRendersTheWindow()
    {
        QFETCH(QStringList, state);
        const QString out = m_dir->filePath(QStringLiteral("window.png"));
        QProcess program;
        program.start(QStringLiteral(QYTXT_SCREENSHOT_PROGRAM), state << out);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QImage image(out);
        QCOMPARE(image.size(), QSize(532, 546));
    }

    void sharedDialogKindAndNameReset()
    {
        m_services->dialogs->answers = {QStringLiteral("/x/out.txt"), QStringLiteral("/x/a.txt"),
                                        QStringLiteral("/x/b.txt"), QStringLiteral("/x/c.txt")};
        click("outputPicker");
        click("addAfterButton");
        click("sourcePicker");
        click("outputPicker");
        QCOMPARE(m_services->dialogs->kinds, (QStringList{"save", "open", "open", "save"}));
        // Every picker that took a path empties the name the next one opens with.
        QCOMPARE(m_services->dialogs->arguments, (QStringList{"", "", "", ""}));
    }

    void messageBoxes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("information");
        QTest::addColumn<int>("key");
        QTest::newRow("job done, OK pressed") << QStringLiteral("分割完成") << false << int(Qt::Key_Return);
        QTest::newRow("job done, closed with Esc") << QStringLiteral("合并完成") << false << int(Qt::Key_Escape);
        QTest::newRow("newer version") << QStringLiteral("版本更新,点击 确定 跳转到下载界面") << true
                                       << int(Qt::Key_Return);
    }
    void messageBoxes()
    {
        QFETCH(QString, text);
        QFETCH(bool, information);
        QFETCH(int, key);
        QtMessagePresenter presenter;
        int dismissed = 0;
        presenter.show(text, QStringLiteral("提示"), information ? MessageIcon::Information : MessageIcon::None,
                       [&] { ++dismissed; });
        QMessageBox* box = openBox();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QCOMPARE(box->text(), text);
        QCOMPARE(box->icon(), information ? QMessageBox::Information : QMessageBox::NoIcon);
        // One button, named as the update message names it; no translation is loaded here.
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
        // Room for the title beside the title bar's buttons (up to four of about 40 pixels).
        QVERIFY2(box->width() >= 200, qPrintable(QString::number(box->width())));

        QTest::keyClick(box, static_cast<Qt::Key>(key));
        QTRY_COMPARE(dismissed, 1);
        QTRY_VERIFY(!openBox());
    }

    // Last: the translations stay for the rest of the process.
    void qtTextsInChinese()
    {
        QObject owner;
        QVERIFY2(installChineseQtTranslations(&owner), "Qt's Chinese translations are not installed");

        QLineEdit field;
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                QVERIFY2(hasChinese(action->text()), qPrintable(action->text()));
        }

        // The file dialogs, and the save dialog's question before it replaces a file with its answers.
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            QVERIFY2(button->text().isEmpty() || hasChinese(button->text()), qPrintable(button->text()));
        QVERIFY(hasChinese(QFileDialog::tr("%1 already exists.\nDo you want to replace it?")));
        QMessageBox question(QMessageBox::Warning, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        QVERIFY(hasChinese(question.button(QMessageBox::Yes)->text()));
        QVERIFY(hasChinese(question.button(QMessageBox::No)->text()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
