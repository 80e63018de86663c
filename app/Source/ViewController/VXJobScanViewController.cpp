#include "VXJobScanViewController.h"

#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <algorithm>

#include "AlertPanel.h"
#include "CustomButton.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "FernwickException.h"
#include "FwkUtilsMethod.h"
#include "JobCollectionButton.h"
#include "JobCollectionView.h"
#include "JobCollectionViewItem.h"
#include "JobList.h"
#include "JobStoreMessage.h"
#include "KeyViewLoop.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "NamedImage.h"
#include "ProcessAnimationController.h"
#include "ProgressRun.h"
#include "ResultMessage.h"
#include "ScanButton.h"
#include "ScanerSelectButton.h"
#include "ToolbarButton.h"
#include "WindowController.h"
#include "ui_JobScan.h"

namespace {
// The picture of a file format, drawn once per name and size (the list may
// fill 99 tiles at start-up) and kept in `drawn`.
QPixmap formatPicture(QHash<QString, QPixmap>& drawn, const QString& name, const QSize& size, qreal pixelRatio)
{
    const QString key = QStringLiteral("%1@%2x%3@%4").arg(name).arg(size.width()).arg(size.height()).arg(pixelRatio);
    auto found = drawn.constFind(key);
    if (found == drawn.constEnd()) {
        QPixmap picture = NamedImage::imageNamed(name).pixmap((QSizeF(size) * pixelRatio).toSize());
        picture.setDevicePixelRatio(pixelRatio);
        found = drawn.insert(key, picture);
    }
    return *found;
}

// The picture name for a file format; empty for a value outside the table.
QString formatPictureName(int64_t fileFormat)
{
    switch (fileFormat) {
    case FileFormat::Pdf:
    case FileFormat::PdfOcr:
        return QStringLiteral("ic_documents.png");
    case FileFormat::Jpeg:
    case FileFormat::Tiff:
        return QStringLiteral("ic_photo.png");
    default:
        return QString();
    }
}

QString jobNumberText(const SettingData& job)
{
    return QString::fromStdString(job.jobNo().value_or(std::string()));
}
} // namespace

VXJobScanViewController::VXJobScanViewController(QWidget* parent) : VXViewController(parent) {}

VXJobScanViewController::~VXJobScanViewController()
{
    delete mUi;
}

void VXJobScanViewController::loadView()
{
    mUi = new Ui::VXJobScanViewController;
    mUi->setupUi(this);
    collectionview = mUi->collectionview;
    labelPageTitle = mUi->labelPageTitle;
    labelSelectScanner = mUi->labelSelectScanner;
    btnSelectScanner = mUi->btnSelectScanner;
    btnAddJobtoScaner = mUi->btnAddJobtoScaner;
    labelScanSettings = mUi->labelScanSettings;
    btnDeleteAllJob = mUi->btnDeleteAllJob;
    btnAddJob = mUi->btnAddJob;
    btnButtonScan = mUi->btnButtonScan;
    btnVersion = mUi->btnVersion;
    connect(btnSelectScanner, &QPushButton::clicked, this, [this] { discovery(btnSelectScanner); });
    connect(btnVersion, &QPushButton::clicked, this, [this] { version(btnVersion); });
    connect(btnAddJobtoScaner, &QPushButton::clicked, this, [this] { regsterjoball(btnAddJobtoScaner); });
    connect(btnAddJob, &QPushButton::clicked, this, [this] { addjob(btnAddJob); });
    connect(btnDeleteAllJob, &QPushButton::clicked, this, [this] { removejoball(btnDeleteAllJob); });
    connect(btnButtonScan, &QPushButton::clicked, this, [this] { scanjob(btnButtonScan); });
}

void VXJobScanViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    currentScannerData = nullptr;
    collectionview->setDataSource(this);
    jobContents = JobList::load();
    collectionview->registerNib(QStringLiteral("JobCollectionViewItem"), QStringLiteral("viewItem"));
    collectionview->reloadData();
    btnSelectScanner->setSelectedState(0);

    ProgressWindowPresenter::prepare(processAnimation, processAnimationWindow, processAnimationView, QString());

    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
}

void VXJobScanViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    // Tab follows the places of the controls from the first appearance on.
    KeyViewLoop::recalculateKeyViewLoop(window());
    btnAddJobtoScaner->setFocus(Qt::OtherFocusReason);
}

void VXJobScanViewController::InitLanguage()
{
    setWindowTitle(localized("ScreenJobList"));
    labelPageTitle->setText(localized("TitleScanAppJob"));
    labelSelectScanner->setText(localized("TitleSelectScanner"));
    btnSelectScanner->setText(localized("SelectScanner"));
    labelScanSettings->setText(localized("LabelScanSettings"));
    btnDeleteAllJob->setText(localized("MenuDeleteAll"));
    btnAddJob->setText(localized("TitleAddJob"));
    btnButtonScan->setText(localized("ButtonScan"));
    collectionview->setEmptyText(localized("MessageNoJobs"));
}

int64_t VXJobScanViewController::collectionView(JobCollectionView*, int64_t)
{
    return static_cast<int64_t>(jobContents.size());
}

JobCollectionViewItem* VXJobScanViewController::collectionView(JobCollectionView* collectionView,
                                                               const IndexPath& indexPath)
{
    JobCollectionViewItem* item = collectionView->makeItemWithIdentifier(QStringLiteral("viewItem"), indexPath);
    if (!item || indexPath.item < 0 || indexPath.item >= static_cast<int64_t>(jobContents.size())) {
        return item;
    }
    const SettingData& job = *jobContents[static_cast<std::size_t>(indexPath.item)];
    const QString number = jobNumberText(job);
    const QString name = QString::fromStdString(job.jobName());
    item->jobnumbertextfield->setText(number);
    QLabel* nameField = item->jobnametextfield;
    nameField->setText(nameField->fontMetrics().elidedText(name, Qt::ElideRight, nameField->width()));
    nameField->setToolTip(name);
    const auto keyword = FileFormatTable().stringFromEnum(job.fileFormat());
    const QString format = QString::fromStdString(LocalizedStrings::text(keyword ? *keyword : std::string()));
    const QString picture = formatPictureName(job.fileFormat());
    if (!picture.isEmpty()) {
        QLabel* image = item->formatimageview;
        image->setPixmap(formatPicture(mFormatPictures, picture, image->size(), devicePixelRatioF()));
        image->setAccessibleName(format);
    }
    item->editbutton->setEventState(1);
    item->removebutton->setEventState(1);
    item->describeJob(number, name, format);
    return item;
}

void VXJobScanViewController::sortJobContents()
{
    // By the number's value: the same order as the two-digit texts give for 1
    // to 99, and the store's own order beyond.
    std::stable_sort(jobContents.begin(), jobContents.end(), [](const auto& a, const auto& b) {
        return JobList::integerValue(a->jobNo()) < JobList::integerValue(b->jobNo());
    });
}

void VXJobScanViewController::setRepresentedObject(const RepresentedObject& object)
{
    VXViewController::setRepresentedObject(object);
    if (!object) {
        return;
    }
    const auto added = representedRecord<SettingData>(object, "addjob");
    if (added) {
        jobContents.push_back(SettingData::initWithData(*added));
        sortJobContents();
        collectionview->reloadData();
    }
    const auto edited = representedRecord<SettingData>(object, "editjob");
    if (edited) {
        const auto found = std::find_if(jobContents.begin(), jobContents.end(),
                                        [&](const auto& job) { return job->jobNo() == edited->jobNo(); });
        if (found != jobContents.end()) {
            *found = edited;
        }
        collectionview->reloadData();
    }
    if (added || edited) {
        mRemovals.jobsChanged();
        emit jobsChanged();
    }
    // A result without a scanner keeps the earlier choice.
    if (const auto scanner = representedRecord<ScannerData>(object, "scanner")) {
        currentScannerData = scanner;
        btnSelectScanner->setSelectedState(1);
        btnSelectScanner->setText(QString::fromStdString(scanner->scannerName().value_or(std::string())));
        emit scannerPicked(scanner);
    }
}

void VXJobScanViewController::reloadJobs()
{
    jobContents = JobList::load();
    collectionview->reloadData();
    // A job set imported as a whole is no removal to undo.
    mRemovals = JobRemovalHistory();
    emit jobsChanged();
}

void VXJobScanViewController::addjob(QAbstractButton* sender)
{
    // Numbered by the job files, as the command-line tool numbers a new job.
    const auto job = JobList::newStoredJob(jobContents);
    if (!job) {
        AlertPanel::showMessage(LocalizedStrings::text("ErrorJobFull"));
        return;
    }
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("addjob", this, CustomSegue::entry("addjob", job)));
}

void VXJobScanViewController::editjob(QObject* sender)
{
    const auto* tile = qobject_cast<JobCollectionViewItem*>(sender);
    if (!tile) {
        return;
    }
    const std::string number = tile->jobnumber.toStdString();
    const auto found = std::find_if(jobContents.begin(), jobContents.end(),
                                    [&](const auto& job) { return job->jobNo().value_or("") == number; });
    if (found == jobContents.end()) {
        return;
    }
    // The very record of the list: the editor hands back a new one.
    transition(CustomSegue("editjob", this, CustomSegue::entry("editjob", *found)));
}

void VXJobScanViewController::removejob(QObject* sender)
{
    const auto* tile = qobject_cast<JobCollectionViewItem*>(sender);
    if (!tile) {
        return;
    }
    const std::string number = tile->jobnumber.toStdString();
    std::vector<std::shared_ptr<SettingData>> matching;
    std::copy_if(jobContents.begin(), jobContents.end(), std::back_inserter(matching),
                 [&](const auto& job) { return job->jobNo().value_or("") == number; });
    removeJobs(matching);
}

void VXJobScanViewController::removejoball(QAbstractButton*)
{
    if (!AlertPanel::askOkCancel(LocalizedStrings::text("MessageDelete"))) {
        return;
    }
    removeJobs(jobContents);
}

void VXJobScanViewController::removeJobs(const std::vector<std::shared_ptr<SettingData>>& jobs)
{
    std::vector<int64_t> numbers;
    for (const auto& job : jobs) {
        numbers.push_back(JobList::integerValue(job->jobNo()));
    }
    dropJobs(mRemovals.remove(numbers));
}

void VXJobScanViewController::dropJobs(const JobRemovalHistory::Removal& removal)
{
    const auto& gone = removal.removed;
    jobContents.erase(std::remove_if(jobContents.begin(), jobContents.end(),
                                     [&](const auto& job) {
                                         const int64_t number = JobList::integerValue(job->jobNo());
                                         return std::find(gone.begin(), gone.end(), number) != gone.end();
                                     }),
                      jobContents.end());
    collectionview->reloadData();
    emit jobsChanged();
    // The jobs whose files stay stay listed, and the user learns why.
    std::string failures;
    for (const auto& [number, outcome] : removal.failed) {
        failures += (failures.empty() ? "" : "\n") + JobStoreMessage::removeFailed(std::to_string(number), outcome);
    }
    if (!failures.empty()) {
        AlertPanel::showMessage(failures);
    }
}

void VXJobScanViewController::undoRemoval()
{
    const auto restored = mRemovals.undo();
    if (!restored) {
        if (!mRemovals.canUndo()) {
            return; // nothing to undo: a job took one of the numbers meanwhile
        }
        AlertPanel::showMessage(LocalizedStrings::text("ErrorUndoRemoval"));
        return;
    }
    for (const int64_t number : *restored) {
        jobContents.push_back(SettingData::ReadSettings(number));
    }
    sortJobContents();
    collectionview->reloadData();
    emit jobsChanged();
}

void VXJobScanViewController::redoRemoval()
{
    dropJobs(mRemovals.redo());
}

void VXJobScanViewController::discovery(QAbstractButton*)
{
    transition(CustomSegue("discovery", this));
}

void VXJobScanViewController::version(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("version", this));
}

void VXJobScanViewController::scanjob(QAbstractButton*)
{
    std::shared_ptr<SettingData> job;
    try {
        // The scanner is checked before the job.
        if (!currentScannerData) {
            throw FernwickException(LocalizedStrings::text("ErrorTitle"), LocalizedStrings::text("ErrorNoSelectScanner"));
        }
        // With several tiles selected, the last one counts.
        for (const IndexPath& path : collectionview->selectionIndexPaths()) {
            if (path.item >= 0 && path.item < static_cast<int64_t>(jobContents.size())) {
                job = jobContents[static_cast<std::size_t>(path.item)];
            }
        }
        if (!job) {
            throw FernwickException(LocalizedStrings::text("ErrorTitle"), LocalizedStrings::text("ErrorNoSelectJob"));
        }
    } catch (const FernwickException& exception) {
        exception.showMessage();
        return;
    }

    // Closing the window during the scan stops it after the request under way
    // and unlocks the scanner.
    const auto run = ProgressRun::show(this, processAnimationWindow, processAnimationView, "WindowScanning");
    if (processAnimationView) {
        processAnimationView->setProgressText(localized("Scanning"));
    }
    const std::shared_ptr<ScannerData> scanner = currentScannerData;
    DispatchQueue::global().async([run, scanner, job] {
        run->scan(scanner, job, [&](const RunResult& result) {
            // The worker waits until the user has dismissed the result.
            run->finish([&] {
                run->close();
                AlertPanel::showMessage(ResultMessage::forScan(result.code, result.reason));
            });
        });
    });
}
