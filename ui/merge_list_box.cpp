#include "ui/merge_list_box.h"

#include <QEvent>

namespace qytxt::ui {

MergeListBox::MergeListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
}

QItemSelectionModel::SelectionFlags MergeListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // The selection only ever moves to the entry that becomes current; it is never cleared or toggled.
    if (!index.isValid() || (event && event->type() == QEvent::MouseButtonRelease))
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

} // namespace qytxt::ui
