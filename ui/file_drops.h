#pragma once

#include <QObject>
#include <QPoint>

class QListWidget;

namespace qytxt::ui {

class MainWindow;

// Files dragged from a file manager onto the window. One file dropped on the split panel becomes
// the split source; files dropped on the merge list, and the ".txt" files of folders, are inserted
// before the entry under the pointer. Drags without a local file go on to the controls as before.
class FileDrops : public QObject {
public:
    // Watches the window's split panel and merge list; a child of the window.
    explicit FileDrops(MainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Target { None, SplitSource, MergeList };
    Target targetAt(QObject* watched, QPoint pos) const;
    int mergeRowAt(QObject* watched, QPoint pos) const;

    MainWindow& m_window;
    QWidget* m_splitPanel;
    QListWidget* m_mergeList;
};

} // namespace qytxt::ui
