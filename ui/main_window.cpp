#include "ui/main_window.h"

#include "core/path.h"
#include "core/shared_texts.h"
#include "merge/merge_job.h"
#include "merge/merge_texts.h"
#include "notices/update_check.h"
#include "split/preview.h"
#include "split/split_job.h"
#include "split/split_texts.h"
#include "ui/ad_line.h"
#include "ui/caption_button.h"
#include "ui/file_drops.h"
#include "ui/incoming_paths.h"
#include "ui/info_panel.h"
#include "ui/input_cover.h"
#include "ui/merge_list_box.h"
#include "ui/program_icon.h"
#include "ui/qt_text.h"
#include "ui/text_field.h"
#include "ui/window_bridges.h"
#include "ui/window_channel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <tuple>

namespace qytxt::ui {

// The ad rotation and what it works with, kept alive by the ad thread as long as it runs.
struct AdThread {
    std::unique_ptr<notices::NoticeSource> source;
    std::shared_ptr<NoticeBridge> window;
    std::unique_ptr<notices::AdRotation> rotation;
};

// The update check and what it works with, kept alive by its thread as long as it runs.
struct UpdateCheckThread {
    std::unique_ptr<notices::NoticeSource> source;
    std::shared_ptr<NoticeBridge> window;
};

namespace {

const QString kTitle = QStringLiteral("青筠TXT小说分割合并器v1.1     by--tavrick");
const core::Text kMessageTitle(core::texts::kMessageTitle);
const QString kSplitIdle = toQString(core::Text(split::texts::kCaptionIdle));
const QString kMergeIdle = toQString(core::Text(merge::texts::kCaptionIdle));
const QString kDefaultParts = toQString(core::Text(split::texts::kDefaultParts));
const QString kDefaultSize = toQString(core::Text(split::texts::kDefaultSize));
const QString kTextSuffix = QStringLiteral(".txt");
constexpr int kFontPixelSize = 12;

// Names the control and puts it where the layout table says.
template <typename Widget> Widget* place(Widget* widget, std::string_view name)
{
    widget->setObjectName(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
    widget->setGeometry(placeOf(name));
    return widget;
}

QLabel* makeLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// Every button draws its caption whole, smaller where the button is too narrow for it.
QPushButton* makeButton(QWidget* parent, const QString& caption)
{
    auto* button = new CaptionButton(caption, parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(std::move(services)), m_fileDialog(*m_services.dialogs),
      m_channel(std::make_shared<WindowChannel>(this)), m_splitState(std::make_shared<split::SplitJobState>()),
      m_mergeState(std::make_shared<merge::MergeJobState>()),
      m_splitBridge(std::make_shared<SplitBridge>(m_channel, this, this)),
      m_mergeBridge(std::make_shared<MergeBridge>(m_channel, this, this)),
      m_noticeBridge(std::make_shared<NoticeBridge>(m_channel, this, this)), m_workers(m_services.startThread)
{
    setWindowTitle(kTitle);
    setWindowIcon(programIcon());
    setFixedSize(kClientWidth, kClientHeight);
    // The platform's GUI font family, at the size the fixed layout was drawn for: larger sizes
    // push the info panel's fifth line and the longer button captions out of their controls.
    QFont font = QApplication::font();
    font.setPixelSize(kFontPixelSize);
    setFont(font);
    buildControls();
    connectEvents();
    new FileDrops(*this);
}

MainWindow::~MainWindow()
{
    shutDown();
}

void MainWindow::buildControls()
{
    // Group boxes first, so they lie behind the controls drawn over them (the table's order).
    m_splitGroup = place(new QGroupBox(QStringLiteral("TXT小说分割"), this), "splitGroup");
    m_splitSettingsGroup = place(new QGroupBox(QStringLiteral("分割设置"), this), "splitSettingsGroup");
    m_splitDetailsGroup = place(new QGroupBox(QStringLiteral("分割详情"), this), "splitDetailsGroup");
    m_mergeGroup = place(new QGroupBox(QStringLiteral("TXT小说合并"), this), "mergeGroup");
    m_mergeSettingsGroup = place(new QGroupBox(QStringLiteral("合并设置"), this), "mergeSettingsGroup");

    place(makeLabel(this, QStringLiteral("选择文本")), "sourceLabel");
    m_sourceField = place(new TextField(this), "splitSourceField");
    m_sourcePicker = place(makeButton(this, QStringLiteral("...")), "sourcePicker");
    place(makeLabel(this, QStringLiteral("保存位置")), "splitFolderLabel");
    m_folderField = place(new TextField(this), "splitFolderField");
    m_folderPicker = place(makeButton(this, QStringLiteral("...")), "folderPicker");

    m_byPartsRadio = place(new QRadioButton(QStringLiteral("按部分分割"), this), "byPartsRadio");
    m_bySizeRadio = place(new QRadioButton(QStringLiteral("按字数分割"), this), "bySizeRadio");
    m_byPartsRadio->setChecked(true); // the two share the window as parent, so they exclude each other

    place(makeLabel(this, QStringLiteral("将文本分割为几部分")), "partsLabel");
    m_partsField = new NumberField(2, 10000, this);
    m_partsField->setObjectName(QStringLiteral("partsField"));
    m_partsField->arrows()->setObjectName(QStringLiteral("partsArrows"));
    m_partsField->place(placeOf("partsField"));
    m_partsField->setText(kDefaultParts);
    place(makeLabel(this, QStringLiteral("将文本分割为几少字")), "sizeLabel");
    m_sizeField = new NumberField(1, 1000000, this);
    m_sizeField->setObjectName(QStringLiteral("sizeField"));
    m_sizeField->arrows()->setObjectName(QStringLiteral("sizeArrows"));
    m_sizeField->place(placeOf("sizeField"));
    m_sizeField->setText(kDefaultSize);
    m_sizeField->setEnabled(false);

    m_infoPanel = place(new InfoPanel(this), "infoPanel");
    // The details group's frame line runs across the panel's top rows; the text starts below it.
    const int belowFrame = m_splitDetailsGroup->y() + m_splitDetailsGroup->contentsRect().top();
    m_infoPanel->setTopInset(std::max(0, belowFrame - m_infoPanel->y()));
    m_splitButton = place(makeButton(this, kSplitIdle), "splitButton");

    m_mergeListBox = place(new MergeListBox(this), "mergeList");
    m_addBeforeButton = place(makeButton(this, QStringLiteral("向前添加TXT")), "addBeforeButton");
    m_addAfterButton = place(makeButton(this, QStringLiteral("向后添加TXT")), "addAfterButton");
    m_deleteEntryButton = place(makeButton(this, QStringLiteral("删除该项")), "deleteEntryButton");
    m_deleteAllButton = place(makeButton(this, QStringLiteral("删除全部")), "deleteAllButton");
    m_moveUpButton = place(makeButton(this, QStringLiteral("向前移一项")), "moveUpButton");
    m_moveDownButton = place(makeButton(this, QStringLiteral("向后移一项")), "moveDownButton");
    place(makeLabel(this, QStringLiteral("保存位置")), "mergeOutputLabel");
    m_outputField = place(new TextField(this), "mergeOutputField");
    m_outputPicker = place(makeButton(this, QStringLiteral("...")), "outputPicker");
    m_mergeButton = place(makeButton(this, kMergeIdle), "mergeButton");

    m_adLine = place(new AdLine(this), "adLine");
    m_adLine->setTextFormat(Qt::PlainText); // its text comes from a web page
    m_adLine->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QPalette adPalette = m_adLine->palette();
    adPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_adLine->setPalette(adPalette);
    m_adLine->setCursor(Qt::ArrowCursor);
}

void MainWindow::connectEvents()
{
    connect(m_sourceField, &TextField::contentChanged, this, &MainWindow::refreshPreview);
    connect(m_partsField, &TextField::contentChanged, this, &MainWindow::refreshPreview);
    connect(m_sizeField, &TextField::contentChanged, this, &MainWindow::refreshPreview);
    connect(m_byPartsRadio, &QRadioButton::clicked, this, &MainWindow::onModeClicked);
    connect(m_bySizeRadio, &QRadioButton::clicked, this, &MainWindow::onModeClicked);
    connect(m_partsField, &NumberField::focusLost, this, &MainWindow::onPartsFocusLost);
    connect(m_sizeField, &NumberField::focusLost, this, &MainWindow::onSizeFocusLost);

    connect(m_sourcePicker, &QPushButton::clicked, this, &MainWindow::pickSource);
    connect(m_folderPicker, &QPushButton::clicked, this, &MainWindow::pickFolder);
    connect(m_outputPicker, &QPushButton::clicked, this, &MainWindow::pickOutput);
    connect(m_addAfterButton, &QPushButton::clicked, this, [this] { addEntry(true); });
    connect(m_addBeforeButton, &QPushButton::clicked, this, [this] { addEntry(false); });
    connect(m_moveUpButton, &QPushButton::clicked, this, [this] { runListOperation(&merge::MergeList::moveUp); });
    connect(m_moveDownButton, &QPushButton::clicked, this, [this] { runListOperation(&merge::MergeList::moveDown); });
    connect(m_deleteEntryButton, &QPushButton::clicked, this,
            [this] { runListOperation(&merge::MergeList::deleteEntry); });
    connect(m_deleteAllButton, &QPushButton::clicked, this, [this] { runListOperation(&merge::MergeList::deleteAll); });
    connect(m_mergeListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncingList)
            m_mergeModel.setCurrentEntry(row);
    });

    connect(m_splitButton, &QPushButton::clicked, this, &MainWindow::startSplit);
    connect(m_mergeButton, &QPushButton::clicked, this, &MainWindow::startMerge);
    connect(m_adLine, &AdLine::pressed, this, &MainWindow::onAdPressed);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_createdPosted) {
        m_createdPosted = true;
        centreOnScreen();
        QMetaObject::invokeMethod(this, &MainWindow::onCreated, Qt::QueuedConnection);
    }
}

void MainWindow::centreOnScreen()
{
    // By the outer frame, which the platform knows once the window exists (it shows right after).
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame(QPoint(0, 0), frameGeometry().size());
    move(screen->availableGeometry().center() - frame.center());
}

void MainWindow::onCreated()
{
    std::unique_ptr<notices::NoticeSource> source;
    if (!m_shutDown && m_services.noticeSources)
        source = m_services.noticeSources();
    if (!source) {
        finishStartup();
        return;
    }
    // The check may wait for the network for many seconds. It runs on a thread of its own while the
    // window, painted and closable, takes no input; the rest of the start follows once it is done.
    m_inputCover = new InputCover(this);
    auto check = std::make_shared<UpdateCheckThread>();
    check->source = std::move(source);
    check->window = m_noticeBridge;
    m_updateCheck = check;
    const bool started = m_workers.start([check, channel = m_channel, window = this] {
        notices::runUpdateCheck(core::Text(notices::kCurrentVersion), *check->source, *check->window);
        channel->post([window] { window->finishStartup(); });
    });
    if (!started)
        finishStartup(); // no thread for the check: the window starts without it
}

void MainWindow::requestClose()
{
    // A close asked for by the update check takes effect once the start has finished.
    if (m_shutDown)
        return;
    if (m_startupFinished)
        close();
    else
        m_closeAfterStartup = true;
}

void MainWindow::finishStartup()
{
    m_updateCheck.reset();
    delete m_inputCover;
    m_inputCover = nullptr;
    if (m_shutDown)
        return; // closed during the check
    refreshPreview();
    if (m_services.noticeSources) {
        if (auto source = m_services.noticeSources()) {
            auto ad = std::make_shared<AdThread>();
            ad->source = std::move(source);
            ad->window = m_noticeBridge;
            ad->rotation = std::make_unique<notices::AdRotation>(*ad->source, *ad->window, m_services.adTimings);
            m_adThread = ad;
            if (!m_workers.start([ad] { ad->rotation->run(); }))
                m_adThread.reset(); // no ad line this time; the window works without it
        }
    }
    m_startupFinished = true;
    emit startupFinished();
    if (m_closeAfterStartup)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing is never refused and never waits for a job.
    shutDown();
    event->accept();
    emit closed();
}

void MainWindow::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_updateCheck)
        m_updateCheck->source->requestStop();
    delete m_inputCover; // while the controls it hands the focus back to still exist
    m_inputCover = nullptr;
    if (m_adThread)
        m_adThread->rotation->requestStop();
    m_splitState->stopRequested = true;
    m_mergeState->stopRequested = true;
    stopCounting();
    m_channel->close(); // releases a job waiting on a message box; later calls return at once
    if (m_services.messages)
        m_services.messages->closeAll();
}

// Split panel.

void MainWindow::refreshPreview()
{
    const core::Text source = toText(m_sourceField->text());
    const std::optional<split::FileStamp> stamp = split::stampFile(source);
    if (!stamp) {
        // No regular file (none, a folder, a pipe or a device): nothing to count, shown as always.
        stopCounting();
        const auto [mode, number] = chosenSplit();
        m_infoPanel->setInfoText(toDisplayText(split::previewText(source, mode, number)));
        return;
    }
    std::optional<split::TextCount> count = m_sourceCounts.find(source, *stamp);
    if (!count && stamp->size > kCountOnTheSpotLimit) {
        countInBackground(source, *stamp);
        return;
    }
    stopCounting();
    if (!count) {
        count = keepCount(source, *stamp, sourceCounter()(source, *stamp, {}));
    }
    showPreview(source, count);
}

void MainWindow::showPreview(const core::Text& source, const std::optional<split::TextCount>& count)
{
    const auto [mode, number] = chosenSplit();
    m_infoPanel->setInfoText(toDisplayText(split::previewText(split::countedPreview(source, mode, number, count))));
}

std::pair<split::SplitMode, core::Text> MainWindow::chosenSplit() const
{
    const bool byParts = m_byPartsRadio->isChecked();
    return {byParts ? split::SplitMode::ByParts : split::SplitMode::BySize,
            toText(byParts ? m_partsField->text() : m_sizeField->text())};
}

void MainWindow::countInBackground(const core::Text& source, const split::FileStamp& stamp)
{
    // Typing in a number field refreshes the preview at each key: the count under way goes on.
    const bool alreadyCounting = m_runningCount && m_runningCount->source == source && m_runningCount->stamp == stamp;
    if (!alreadyCounting && !m_shutDown) {
        stopCounting();
        auto stop = std::make_shared<std::atomic<bool>>(false);
        const std::uint64_t request = ++m_countRequest;
        m_runningCount = RunningCount{source, stamp, stop};
        // Every count reports back, a stopped one too: the request number tells which is shown.
        const bool started = m_workers.start(
            [window = this, request, source, stamp, stop, channel = m_channel, counter = sourceCounter()] {
                yieldToTheWindow();
                split::SourceCount counted = counter(source, stamp, [stop] { return stop->load(); });
                channel->post([window, request, source, stamp, counted = std::move(counted)] {
                    window->countReady(request, source, stamp, counted);
                });
            });
        if (!started) {
            // No thread: the count is taken here, the window waiting for it, rather than never.
            m_runningCount.reset();
            showPreview(source, keepCount(source, stamp, sourceCounter()(source, stamp, {})));
            return;
        }
    }
    showPreview(source, std::nullopt);
}

void MainWindow::countReady(std::uint64_t request, const core::Text& source, const split::FileStamp& stamp,
                            const split::SourceCount& counted)
{
    // Kept even when late: the file may be chosen again.
    const split::TextCount count = keepCount(source, stamp, counted);
    if (!m_runningCount || request != m_countRequest)
        return; // stopped, or a newer request has taken over the panel
    m_runningCount.reset();
    showPreview(source, count);
}

split::TextCount MainWindow::keepCount(const core::Text& source, const split::FileStamp& stamp,
                                       const split::SourceCount& counted)
{
    if (counted.reusable)
        m_sourceCounts.store(source, stamp, *counted.count);
    return counted.count.value_or(split::TextCount{}); // a file that cannot be read counts as an empty text
}

void MainWindow::stopCounting()
{
    if (!m_runningCount)
        return;
    m_runningCount->stop->store(true);
    m_runningCount.reset();
}

SourceCounter MainWindow::sourceCounter() const
{
    return m_services.countSource ? m_services.countSource : SourceCounter(split::countSource);
}

void MainWindow::onModeClicked()
{
    refreshPreview();
    const bool byParts = m_byPartsRadio->isChecked();
    m_partsField->setEnabled(byParts);
    m_sizeField->setEnabled(!byParts);
}

void MainWindow::onPartsFocusLost()
{
    if (auto replacement = split::partsFieldReplacement(toText(m_partsField->text())))
        m_partsField->writeText(toQString(*replacement));
}

void MainWindow::onSizeFocusLost()
{
    if (auto tidied = split::tidySizeFieldText(toText(m_sizeField->text())))
        m_sizeField->writeText(toQString(*tidied));
    if (auto replacement = split::sizeFieldReplacement(toText(m_sizeField->text())))
        m_sizeField->writeText(toQString(*replacement));
}

// Pickers.

void MainWindow::pickSource()
{
    m_fileDialog.setKind(SharedFileDialog::Kind::Open);
    if (!m_fileDialog.exec())
        return;
    setSplitSource(m_fileDialog.fileName());
    m_fileDialog.setFileName(QString());
}

void MainWindow::setSplitSource(const QString& path)
{
    m_sourceField->writeText(path);
    m_folderField->writeText(toQString(core::folderOfPath(toText(m_sourceField->text()))));
}

void MainWindow::pickFolder()
{
    const QString folder = m_services.dialogs->chooseFolder(QStringLiteral("选择文本存放目录"));
    if (!folder.isEmpty())
        m_folderField->writeText(folder);
}

void MainWindow::pickOutput()
{
    m_fileDialog.setKind(SharedFileDialog::Kind::Save);
    if (!m_fileDialog.exec())
        return;
    QString path = m_fileDialog.fileName();
    // A second ".txt" would make the merge write a file other than the one confirmed.
    if (!path.endsWith(kTextSuffix, Qt::CaseInsensitive))
        path += kTextSuffix;
    m_outputField->writeText(path);
    m_fileDialog.setFileName(QString());
}

void MainWindow::addEntry(bool after)
{
    m_fileDialog.setKind(SharedFileDialog::Kind::Open);
    if (!m_fileDialog.exec(SharedFileDialog::Choice::SeveralFiles))
        return;
    const std::vector<core::Text> paths = mergeInputsOf(m_fileDialog.fileNames());
    m_fileDialog.setFileName(QString());
    if (after)
        m_mergeModel.addAllAfter(paths);
    else
        m_mergeModel.addAllBefore(paths);
    showMergeList();
}

void MainWindow::insertMergeEntries(int row, const std::vector<core::Text>& paths)
{
    m_mergeModel.insertAll(row, paths);
    showMergeList();
}

// Merge list.

void MainWindow::runListOperation(void (merge::MergeList::*operation)())
{
    (m_mergeModel.*operation)();
    showMergeList();
}

void MainWindow::showMergeList()
{
    m_syncingList = true;
    m_mergeListBox->clear();
    for (const core::Text& entry : m_mergeModel.entries())
        m_mergeListBox->addItem(toQString(entry));
    const int current = m_mergeModel.currentEntry();
    m_mergeListBox->setCurrentRow(current);
    if (current < 0)
        m_mergeListBox->clearSelection();
    m_syncingList = false;
}

// Jobs.

void MainWindow::startSplit()
{
    if (m_shutDown || !m_splitButton->isEnabled())
        return;
    // Disabled at once, so a second click cannot start a second split over the same files.
    m_splitButton->setEnabled(false);
    split::SplitRequest request;
    request.sourcePath = toText(m_sourceField->text());
    request.outputFolder = toText(m_folderField->text());
    std::tie(request.mode, request.numberText) = chosenSplit();
    const bool started =
        m_workers.start([request, bridge = m_splitBridge, state = m_splitState, channel = m_channel, window = this] {
            const split::SplitOutcome outcome = split::runSplitJob(request, *bridge, *state);
            channel->call([window, outcome] { window->splitJobEnded(outcome); });
        });
    if (!started) {
        // No thread, no job: the button is free again and the window goes on.
        setSplitButtonCaption(toText(kSplitIdle));
        setSplitButtonEnabled(true);
    }
}

void MainWindow::splitJobEnded(split::SplitOutcome outcome)
{
    if (outcome == split::SplitOutcome::Stopped)
        return;
    setSplitButtonCaption(toText(kSplitIdle));
    setSplitButtonEnabled(true);
}

void MainWindow::startMerge()
{
    if (m_shutDown || !m_mergeButton->isEnabled())
        return;
    m_mergeButton->setEnabled(false);
    const bool started =
        m_workers.start([bridge = m_mergeBridge, state = m_mergeState, channel = m_channel, window = this] {
            const merge::MergeOutcome outcome = merge::runMergeJob(*bridge, *state);
            channel->call([window, outcome] { window->mergeJobEnded(outcome); });
        });
    if (!started) {
        setMergeButtonCaption(toText(kMergeIdle));
        setMergeButtonEnabled(true);
    }
}

void MainWindow::mergeJobEnded(merge::MergeOutcome outcome)
{
    if (outcome == merge::MergeOutcome::Stopped)
        return;
    setMergeButtonCaption(toText(kMergeIdle));
    setMergeButtonEnabled(true);
}

// Window operations.

void MainWindow::setSplitButtonCaption(const core::Text& caption)
{
    const QString shown = toDisplayText(caption);
    m_splitButton->setText(shown);
    emit splitButtonCaptionChanged(shown);
}

void MainWindow::setSplitButtonEnabled(bool enabled)
{
    m_splitButton->setEnabled(enabled);
}

void MainWindow::setMergeButtonCaption(const core::Text& caption)
{
    const QString shown = toDisplayText(caption);
    m_mergeButton->setText(shown);
    emit mergeButtonCaptionChanged(shown);
}

void MainWindow::setMergeButtonEnabled(bool enabled)
{
    m_mergeButton->setEnabled(enabled);
}

core::Text MainWindow::mergeEntryText(int index) const
{
    return m_mergeModel.entryText(index);
}

int MainWindow::mergeEntryCount() const
{
    return m_mergeModel.entryCount();
}

core::Text MainWindow::mergeOutputPath() const
{
    return toText(m_outputField->text());
}

void MainWindow::showAd(const core::Text& caption, const notices::CurrentAd& ad)
{
    m_adCaption = caption;
    m_currentAd = ad;
    m_adLine->setText(toQString(caption));
}

void MainWindow::setAdCursor(notices::AdCursor cursor)
{
    m_adCursor = cursor;
    m_adLine->setCursor(cursor == notices::AdCursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MainWindow::openWebAddress(const core::Text& address)
{
    if (m_services.browser)
        m_services.browser->open(webUrl(address));
}

void MainWindow::presentMessage(const core::Text& text, const core::Text& title, MessageIcon icon,
                                std::function<void()> dismissed)
{
    if (!m_services.messages || m_shutDown) {
        dismissed();
        return;
    }
    m_services.messages->show(toQString(text), toQString(title), icon, std::move(dismissed));
}

void MainWindow::onAdPressed()
{
    if (m_shutDown)
        return;
    const auto press = notices::adPress(m_adCaption, m_currentAd);
    if (!press)
        return;
    if (press->address)
        openWebAddress(*press->address);
    if (press->message.empty())
        return;
    // A timer, not a sleep: the window keeps serving events during the wait.
    QTimer::singleShot(m_services.adTimings.pressDelay, this, [this, message = press->message] {
        presentMessage(message, kMessageTitle, MessageIcon::None, [] {});
    });
}

} // namespace qytxt::ui
