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

QStringList QtPathDialogs::openTextFiles(const QString& initialName)
{
    return QFileDialog::getOpenFileNames(m_owner, QString(), initialName, textFilter());
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

bool SharedFileDialog::exec(Choice choice)
{
    QStringList chosen;
    if (m_kind == Kind::Save)
        chosen << m_dialogs.saveTextFile(m_fileName);
    else if (choice == Choice::SeveralFiles)
        chosen = m_dialogs.openTextFiles(m_fileName);
    else
        chosen << m_dialogs.openTextFile(m_fileName);
    chosen.removeAll(QString());
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen.front();
    m_fileNames = chosen;
    return true;
}

} // namespace qytxt::ui
