#pragma once

#include "notices/notice_source.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace qytxt::ui::testing {

// Answers the pickers' dialogs from a queue (an empty answer is a cancel) and records each call. An
// answer to a dialog that takes several files lists them one per line.
class TestDialogs : public PathDialogs {
public:
    QString openTextFile(const QString& initialName) override { return answer(QStringLiteral("open"), initialName); }
    QStringList openTextFiles(const QString& initialName) override
    {
        return answer(QStringLiteral("open"), initialName).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QString saveTextFile(const QString& initialName) override { return answer(QStringLiteral("save"), initialName); }
    QString chooseFolder(const QString& title) override { return answer(QStringLiteral("folder"), title); }

    std::deque<QString> answers;
    QStringList kinds;
    QStringList arguments; // initial names, or the folder browser's title

private:
    QString answer(const QString& kind, const QString& argument)
    {
        kinds << kind;
        arguments << argument;
        if (answers.empty())
            return {};
        QString next = answers.front();
        answers.pop_front();
        return next;
    }
};

// Records the boxes and keeps them open until the test dismisses them.
class TestMessages : public MessagePresenter {
public:
    struct Shown {
        QString text;
        QString title;
        MessageIcon icon;
    };

    void show(const QString& text, const QString& title, MessageIcon icon, std::function<void()> dismissed) override
    {
        shown.push_back({text, title, icon});
        if (onShow)
            onShow(shown.back());
        if (answerAtOnce)
            dismissed();
        else
            pending.push_back(std::move(dismissed));
    }
    void closeAll() override { ++closeAllCalls; }

    QStringList texts() const
    {
        QStringList all;
        for (const auto& box : shown)
            all << box.text;
        return all;
    }
    void dismissOldest()
    {
        auto dismissed = std::move(pending.front());
        pending.pop_front();
        dismissed();
    }

    bool answerAtOnce = false;
    std::function<void(const Shown&)> onShow;
    std::vector<Shown> shown;
    std::deque<std::function<void()>> pending;
    int closeAllCalls = 0;
};

// Records each URL the window opens, as the browser would receive it.
class TestBrowser : public WebBrowser {
public:
    void open(const QUrl& url) override
    {
        urls << url;
        opened << QString::fromLatin1(url.toEncoded());
    }
    QList<QUrl> urls;
    QStringList opened;
};

// Holds every connectivity test, as a network that does not answer does, until the test opens it or
// a source is stopped; after 5 s it lets go by itself, so a window that waits for it on its own
// thread fails its test instead of hanging.
struct NoticeGate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    std::atomic<bool> entered{false};
    std::atomic<bool> holding{false}; // a test is being held right now

    void pass()
    {
        entered = holding = true;
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::seconds(5), [&] { return open; });
        holding = false;
    }
    void openUp()
    {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
};

// A notice page served from memory (GBK), with the calls counted.
class StringNoticeSource : public notices::NoticeSource {
public:
    StringNoticeSource(bool online, core::Text page, std::shared_ptr<NoticeGate> gate = nullptr)
        : m_online(online), m_page(std::move(page)), m_gate(std::move(gate))
    {
    }
    bool connectivityTest() override
    {
        if (m_gate)
            m_gate->pass();
        return m_online && !m_stopped;
    }
    void requestStop() override
    {
        m_stopped = true;
        if (m_gate)
            m_gate->openUp();
    }
    core::Text fetchNoticePage() override
    {
        ++fetches;
        return m_page;
    }
    std::atomic<int> fetches{0};

private:
    bool m_online;
    core::Text m_page;
    std::shared_ptr<NoticeGate> m_gate;
    std::atomic<bool> m_stopped{false};
};

struct TestServices {
    std::shared_ptr<TestDialogs> dialogs = std::make_shared<TestDialogs>();
    std::shared_ptr<TestMessages> messages = std::make_shared<TestMessages>();
    std::shared_ptr<TestBrowser> browser = std::make_shared<TestBrowser>();
    bool online = false;
    QString page;
    notices::AdTimings adTimings;
    std::shared_ptr<NoticeGate> gate; // when set, holds the sources' connectivity tests
    // Called on the window's thread each time the window asks for a notice source.
    std::function<void()> onSourceCreated;
    // While set, the system refuses every new thread, as it does when out of threads or memory.
    bool refuseThreads = false;
    SourceCounter countSource; // empty: the window's own

    WindowServices make()
    {
        WindowServices services;
        services.noticeSources = [this]() -> std::unique_ptr<notices::NoticeSource> {
            if (onSourceCreated)
                onSourceCreated();
            return std::make_unique<StringNoticeSource>(online, toText(page), gate);
        };
        services.messages = messages;
        services.dialogs = dialogs;
        services.browser = browser;
        services.adTimings = adTimings;
        services.countSource = countSource;
        services.startThread = [this](std::function<void()> body) {
            if (refuseThreads)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(body));
        };
        return services;
    }
};

template <typename T> T* child(QWidget& window, const char* name)
{
    T* widget = window.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control named %s", name);
    return widget;
}

// The window's test functions share one fixture: a fresh temporary folder and services, and the
// window shown and past its start; init() calls openWindow() and cleanup() closeWindow().
class WindowFixture : public QObject {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestServices> m_services;
    std::unique_ptr<MainWindow> m_window;

    template <typename T> T* get(const char* name) { return child<T>(*m_window, name); }
    QStringList listTexts()
    {
        QStringList texts;
        auto* list = get<QListWidget>("mergeList");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    void openWindow()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_dir->isValid(), qPrintable(m_dir->errorString()));
        m_services = std::make_unique<TestServices>();
        m_window = std::make_unique<MainWindow>(m_services->make());
        QSignalSpy started(m_window.get(), &MainWindow::startupFinished);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE(started.size(), 1);
    }
    void closeWindow()
    {
        m_window->close();
        QVERIFY(m_window->workers().waitAll(std::chrono::milliseconds(2000)));
        m_window.reset();
        m_services.reset();
        m_dir.reset();
    }
};

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace qytxt::ui::testing
