#pragma once

#include "core/text.h"
#include "merge/merge_list.h"
#include "notices/ad_rotation.h"
#include "notices/notice_source.h"
#include "notices/notice_window.h"
#include "split/source_count.h"
#include "ui/message_presenter.h"
#include "ui/path_dialogs.h"
#include "ui/web_browser.h"
#include "ui/window_controls.h"
#include "ui/window_layout.h"
#include "ui/worker_threads.h"

#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qytxt::split {
struct SplitJobState;
enum class SplitOutcome;
enum class SplitMode;
} // namespace qytxt::split
namespace qytxt::merge {
struct MergeJobState;
enum class MergeOutcome;
} // namespace qytxt::merge

namespace qytxt::ui {

class AdLine;
class InfoPanel;
class InputCover;
class NumberField;
class TextField;
class WindowChannel;
class SplitBridge;
class MergeBridge;
class NoticeBridge;
struct AdThread;
struct UpdateCheckThread;

using SourceCounter = std::function<split::SourceCount(const core::Text& path, const split::FileStamp& stamp,
                                                       const std::function<bool()>& stopRequested)>;

// What the window works with from outside; main() passes the real ones, tests their own.
struct WindowServices {
    // A fresh notice source for each user of the notice page (the update check, the ad thread).
    std::function<std::unique_ptr<notices::NoticeSource>()> noticeSources;
    std::shared_ptr<MessagePresenter> messages;
    std::shared_ptr<PathDialogs> dialogs;
    std::shared_ptr<WebBrowser> browser;
    notices::AdTimings adTimings;
    WorkerThreads::Starter startThread; // empty: std::thread
    // Counts a source file for the preview; empty: split::countSource. Tests pass their own to hold
    // a count back.
    SourceCounter countSource;
};

// The program's one window: the split panel, the merge panel and the ad line. It owns every
// setting; the jobs and the ad rotation run on worker threads and reach the controls only through
// the window's thread.
// The bridges see it only through the narrow controls it implements.
class MainWindow : public QWidget,
                   public SplitControls,
                   public MergeControls,
                   public NoticeControls,
                   public MessageControls {
    Q_OBJECT
public:
    static constexpr int kClientWidth = ui::kClientWidth;
    static constexpr int kClientHeight = ui::kClientHeight;
    // Sources up to this size are counted on the spot, too quickly to be seen; larger ones off the
    // window's thread, the panel showing "未知" for the count meanwhile.
    static constexpr std::int64_t kCountOnTheSpotLimit = std::int64_t{1} << 20;

    explicit MainWindow(WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The worker threads; main() gives them a short grace period after the window has closed.
    WorkerThreads& workers() { return m_workers; }

    const merge::MergeList& mergeList() const { return m_mergeModel; }

    // Ways in besides the pickers (dropped files, start arguments). A split source is taken as the
    // source picker takes it; merge inputs go before entry `row`, or at the end for a row outside
    // the list, and the last one becomes current.
    void setSplitSource(const QString& path);
    void insertMergeEntries(int row, const std::vector<core::Text>& paths);

signals:
    // The created steps (update check, preview, ad thread) have run.
    void startupFinished();
    // The window has closed; the program ends.
    void closed();
    void splitButtonCaptionChanged(const QString& caption);
    void mergeButtonCaptionChanged(const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // SplitControls, MergeControls, NoticeControls, MessageControls
    void setSplitButtonCaption(const core::Text& caption) override;
    void setSplitButtonEnabled(bool enabled) override;
    void setMergeButtonCaption(const core::Text& caption) override;
    void setMergeButtonEnabled(bool enabled) override;
    core::Text mergeEntryText(int index) const override;
    int mergeEntryCount() const override;
    core::Text mergeOutputPath() const override;
    void showAd(const core::Text& caption, const notices::CurrentAd& ad) override;
    void setAdCursor(notices::AdCursor cursor) override;
    notices::AdCursor adCursor() const override { return m_adCursor; }
    void openWebAddress(const core::Text& address) override;
    void requestClose() override;
    void presentMessage(const core::Text& text, const core::Text& title, MessageIcon icon,
                        std::function<void()> dismissed) override;

    void buildControls();
    void connectEvents();
    void centreOnScreen();
    void onCreated();
    void finishStartup();
    void shutDown();

    void refreshPreview();
    // The split mode chosen and the text of its number field.
    std::pair<split::SplitMode, core::Text> chosenSplit() const;
    void showPreview(const core::Text& source, const std::optional<split::TextCount>& count);
    void countInBackground(const core::Text& source, const split::FileStamp& stamp);
    void countReady(std::uint64_t request, const core::Text& source, const split::FileStamp& stamp,
                    const split::SourceCount& counted);
    void stopCounting();
    split::TextCount keepCount(const core::Text& source, const split::FileStamp& stamp,
                               const split::SourceCount& counted);
    SourceCounter sourceCounter() const;
    void onModeClicked();
    void onPartsFocusLost();
    void onSizeFocusLost();

    void pickSource();
    void pickFolder();
    void pickOutput();
    void addEntry(bool after);
    void runListOperation(void (merge::MergeList::*operation)());
    void showMergeList();

    void startSplit();
    void startMerge();
    void splitJobEnded(split::SplitOutcome outcome);
    void mergeJobEnded(merge::MergeOutcome outcome);

    void onAdPressed();

    WindowServices m_services;
    SharedFileDialog m_fileDialog;
    merge::MergeList m_mergeModel;
    notices::AdCursor m_adCursor = notices::AdCursor::Default;
    core::Text m_adCaption;
    notices::CurrentAd m_currentAd; // set with the caption, so a press opens the ad it sees
    bool m_createdPosted = false;
    bool m_startupFinished = false;
    bool m_closeAfterStartup = false;
    bool m_shutDown = false;
    bool m_syncingList = false;

    // The preview's counts (window's thread only). The latest request to count off the window's
    // thread is the one shown; a count that finishes after a newer request is only kept.
    struct RunningCount {
        core::Text source;
        split::FileStamp stamp;
        std::shared_ptr<std::atomic<bool>> stop;
    };
    split::SourceCountCache m_sourceCounts;
    std::optional<RunningCount> m_runningCount;
    std::uint64_t m_countRequest = 0;

    std::shared_ptr<WindowChannel> m_channel;
    std::shared_ptr<split::SplitJobState> m_splitState;
    std::shared_ptr<merge::MergeJobState> m_mergeState;
    std::shared_ptr<SplitBridge> m_splitBridge;
    std::shared_ptr<MergeBridge> m_mergeBridge;
    std::shared_ptr<NoticeBridge> m_noticeBridge;
    std::shared_ptr<UpdateCheckThread> m_updateCheck;
    std::shared_ptr<AdThread> m_adThread;
    WorkerThreads m_workers; // last: goes first, while everything its threads were given lives on

    QGroupBox* m_splitGroup = nullptr;
    QGroupBox* m_splitSettingsGroup = nullptr;
    QGroupBox* m_splitDetailsGroup = nullptr;
    QGroupBox* m_mergeGroup = nullptr;
    QGroupBox* m_mergeSettingsGroup = nullptr;
    TextField* m_sourceField = nullptr;
    TextField* m_folderField = nullptr;
    QPushButton* m_sourcePicker = nullptr;
    QPushButton* m_folderPicker = nullptr;
    QRadioButton* m_byPartsRadio = nullptr;
    QRadioButton* m_bySizeRadio = nullptr;
    NumberField* m_partsField = nullptr;
    NumberField* m_sizeField = nullptr;
    InfoPanel* m_infoPanel = nullptr;
    QPushButton* m_splitButton = nullptr;
    QListWidget* m_mergeListBox = nullptr;
    QPushButton* m_addBeforeButton = nullptr;
    QPushButton* m_addAfterButton = nullptr;
    QPushButton* m_deleteEntryButton = nullptr;
    QPushButton* m_deleteAllButton = nullptr;
    QPushButton* m_moveUpButton = nullptr;
    QPushButton* m_moveDownButton = nullptr;
    TextField* m_outputField = nullptr;
    QPushButton* m_outputPicker = nullptr;
    QPushButton* m_mergeButton = nullptr;
    AdLine* m_adLine = nullptr;
    InputCover* m_inputCover = nullptr; // over the window while the update check runs
};

} // namespace qytxt::ui
