#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace qytxt::ui {

// The platform dialogs of the pickers. Each returns the chosen path, or the empty string when the
// user cancelled. Tests answer them themselves.
class PathDialogs {
public:
    virtual ~PathDialogs() = default;
    // Lists "*.txt" files; the chosen file must exist.
    virtual QString openTextFile(const QString& initialName) = 0;
    // The same with several files allowed; an empty list when the user cancelled.
    virtual QStringList openTextFiles(const QString& initialName) = 0;
    // Lists "*.txt" files; asks before overwriting an existing file.
    virtual QString saveTextFile(const QString& initialName) = 0;
    virtual QString chooseFolder(const QString& title) = 0;
};

class QtPathDialogs : public PathDialogs {
public:
    explicit QtPathDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    QString openTextFile(const QString& initialName) override;
    QStringList openTextFiles(const QString& initialName) override;
    QString saveTextFile(const QString& initialName) override;
    QString chooseFolder(const QString& title) override;

private:
    QWidget* m_owner;
};

// The window's one file dialog: each picker sets its kind before opening it, and the name it
// opens with is emptied after every use, so nothing of one picker reaches the next.
class SharedFileDialog {
public:
    enum class Kind { Open, Save };
    // The add buttons let the open kind take several files at once.
    enum class Choice { OneFile, SeveralFiles };

    explicit SharedFileDialog(PathDialogs& dialogs) : m_dialogs(dialogs) {}

    void setKind(Kind kind) { m_kind = kind; }
    Kind kind() const { return m_kind; }
    // True when the user confirmed; fileName() is then the chosen path, the first of fileNames().
    bool exec(Choice choice = Choice::OneFile);
    const QString& fileName() const { return m_fileName; }
    const QStringList& fileNames() const { return m_fileNames; }
    void setFileName(const QString& name)
    {
        m_fileName = name;
        m_fileNames.clear();
    }

private:
    PathDialogs& m_dialogs;
    Kind m_kind = Kind::Open;
    QString m_fileName;
    QStringList m_fileNames;
};

} // namespace qytxt::ui
