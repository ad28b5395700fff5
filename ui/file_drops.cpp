#include "ui/file_drops.h"

#include "ui/incoming_paths.h"
#include "ui/main_window.h"

#include <QDropEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

namespace qytxt::ui {
namespace {

// Web addresses and other remote items are no files of this machine.
QStringList localPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

FileDrops::FileDrops(MainWindow& window)
    : QObject(&window), m_window(window), m_splitPanel(window.findChild<QGroupBox*>(QStringLiteral("splitGroup"))),
      m_mergeList(window.findChild<QListWidget*>(QStringLiteral("mergeList")))
{
    // Labels and buttons pass drops on to the window; the fields and the list take them themselves.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        if (m_splitPanel->geometry().contains(field->geometry()))
            field->installEventFilter(this);
    m_mergeList->viewport()->setAcceptDrops(true);
    m_mergeList->viewport()->installEventFilter(this);
}

FileDrops::Target FileDrops::targetAt(QObject* watched, QPoint pos) const
{
    if (watched == m_mergeList->viewport())
        return Target::MergeList;
    if (watched != &m_window)
        return Target::SplitSource; // one of the split panel's fields
    if (m_splitPanel->geometry().contains(pos))
        return Target::SplitSource;
    if (m_mergeList->geometry().contains(pos))
        return Target::MergeList; // its frame
    return Target::None;
}

int FileDrops::mergeRowAt(QObject* watched, QPoint pos) const
{
    const QPoint inList = m_mergeList->viewport()->mapFrom(static_cast<QWidget*>(watched), pos);
    return m_mergeList->indexAt(inList).row(); // -1 below the last entry: the end
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = localPaths(drop->mimeData());
    if (paths.isEmpty())
        return false;
    const QPoint pos = drop->position().toPoint();
    const Target target = targetAt(watched, pos);
    const bool wanted = target == Target::MergeList || (target == Target::SplitSource && isOneFile(paths));
    if (!wanted) {
        drop->ignore();
        return true;
    }
    // Always a copy: a move would let the file manager delete the files it handed over.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;
    if (target == Target::SplitSource)
        m_window.setSplitSource(paths.front());
    else
        m_window.insertMergeEntries(mergeRowAt(watched, pos), mergeInputsOf(paths));
    return true;
}

} // namespace qytxt::ui
