#include "ui/path_dialogs.h"

#include <QFileDialog>

namespace qytxt::ui {
namespace {

QString textFilter()
{
    return QStringLiteral("文本文件 (*.txt)");
}

} // namespace

QString QtPathDialogs::openTextFile(const QString& initialName)
{
    return QFileDialog::getOpenFileName(m_owner, QString(), initialName, textFilter());
}

QString QtPathDialogs::saveTextFile(const QString& initialName)
{
    // The save dialog asks before overwriting unless told not to.
    return QFileDialog::getSaveFileName(m_owner, QString(), initialName, textFilter());
}

QString QtPathDialogs::chooseFolder(const QString& title)
{
    return QFileDialog::getExistingDirectory(m_owner, title);
}

bool SharedFileDialog::exec()
{
    const QString chosen =
        m_kind == Kind::Open ? m_dialogs.openTextFile(m_fileName) : m_dialogs.saveTextFile(m_fileName);
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen;
    return true;
}

} // namespace qytxt::ui
