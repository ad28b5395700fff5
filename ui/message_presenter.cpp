#include "ui/message_presenter.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace qytxt::ui {
namespace {

// Wide enough for the title bar to show the title beside the window manager's buttons, which a box
// as narrow as "分割完成" and its button leave no room for.
constexpr int kMinimumBoxWidth = 240;

void keepWide(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(kMinimumBoxWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void QtMessagePresenter::show(const QString& text, const QString& title, MessageIcon icon,
                              std::function<void()> dismissed)
{
    auto* box = new QMessageBox(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                                title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setTextFormat(Qt::PlainText); // texts may come from the notice page
    // The update message names this button, so it reads the same whatever the system's language.
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    keepWide(*box);
    QObject::connect(box, &QMessageBox::finished, box, [dismissed = std::move(dismissed)](int) {
        if (dismissed)
            dismissed();
    });
    m_open.removeAll(nullptr);
    m_open.append(box);
    box->show();
}

void QtMessagePresenter::closeAll()
{
    const auto boxes = m_open;
    m_open.clear();
    for (const auto& box : boxes) {
        if (box)
            box->close();
    }
}

} // namespace qytxt::ui
