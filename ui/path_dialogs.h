#pragma once

#include <QString>

class QWidget;

namespace qytxt::ui {

// The platform dialogs of the pickers. Each returns the chosen path, or the empty string when the
// user cancelled. Tests answer them themselves.
class PathDialogs {
public:
    virtual ~PathDialogs() = default;
    // Lists "*.txt" files; the chosen file must exist.
    virtual QString openTextFile(const QString& initialName) = 0;
    // Lists "*.txt" files; asks before overwriting an existing file.
    virtual QString saveTextFile(const QString& initialName) = 0;
    virtual QString chooseFolder(const QString& title) = 0;
};

class QtPathDialogs : public PathDialogs {
public:
    explicit QtPathDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    QString openTextFile(const QString& initialName) override;
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

    explicit SharedFileDialog(PathDialogs& dialogs) : m_dialogs(dialogs) {}

    void setKind(Kind kind) { m_kind = kind; }
    Kind kind() const { return m_kind; }
    // True when the user confirmed; fileName() is then the chosen path.
    bool exec();
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }

private:
    PathDialogs& m_dialogs;
    Kind m_kind = Kind::Open;
    QString m_fileName;
};

} // namespace qytxt::ui
