#pragma once

#include "core/message_window.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;

namespace qytxt::ui {

using core::MessageIcon;

// Shows the system's message boxes (one OK button). show() returns at once; `dismissed` runs on
// the window's thread when the user has closed the box. Tests answer the boxes themselves.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void show(const QString& text, const QString& title, MessageIcon icon, std::function<void()> dismissed) = 0;
    // The window is closing: no box may outlive it.
    virtual void closeAll() = 0;
};

// Modeless boxes without an owner: the user can go on working in the window while one is open.
class QtMessagePresenter : public MessagePresenter {
public:
    void show(const QString& text, const QString& title, MessageIcon icon, std::function<void()> dismissed) override;
    void closeAll() override;

private:
    QList<QPointer<QMessageBox>> m_open;
};

} // namespace qytxt::ui
