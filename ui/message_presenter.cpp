#include "ui/message_presenter.h"

#include <QMessageBox>

namespace qytxt::ui {

void QtMessagePresenter::show(const QString& text, const QString& title, MessageIcon icon,
                              std::function<void()> dismissed)
{
    auto* box = new QMessageBox(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                                title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setTextFormat(Qt::PlainText); // texts may come from the notice page
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
