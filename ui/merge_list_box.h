#pragma once

#include <QListWidget>

namespace qytxt::ui {

// The merge list: a single-selection list box whose highlighted entry is always its current one.
// Once an entry is selected no click or key leaves the list without one (a click below the entries
// or a Ctrl+click on the selected entry would otherwise clear the highlight and keep the current
// entry, which the list operations act on).
class MergeListBox : public QListWidget {
    Q_OBJECT
public:
    explicit MergeListBox(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
};

} // namespace qytxt::ui
