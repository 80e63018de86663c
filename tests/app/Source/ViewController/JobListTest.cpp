// The job list: tiles of the stored jobs, adding, removing, taking over what
// the other screens hand back, and the grid's keyboard rules.
#include <QKeyEvent>
#include <filesystem>

#include "FWKVXSDK/EnumExtensions.h"
#include "JobScreensFixture.h"
#include "NamedImage.h"
#include "ScanerSelectButton.h"

namespace fs = std::filesystem;

namespace {
using Numbers = std::vector<std::string>;

// The picture as the tile shows it, compared by its pixels.
QImage pictureOf(const QLabel* view)
{
    return view->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}
QImage namedPicture(const QString& name, const QLabel* view)
{
    return NamedImage::imageNamed(name).pixmap(view->size()).toImage().convertToFormat(QImage::Format_ARGB32);
}

using JobList = JobScreens;
} // namespace

TEST_F(JobList, ShowsTheStoredJobsInNumberOrderWithTheirFormatPictures)
{
    stored(10, FileFormat::Tiff);
    stored(1, FileFormat::PdfOcr, "Invoices");
    stored(3, FileFormat::Jpeg);
    stored(4, FileFormat::Pdf);
    open();
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "3", "4", "10"}));
    EXPECT_EQ(tile(0)->jobnametextfield->text(), "Invoices");
    EXPECT_EQ(pictureOf(tile(0)->formatimageview), namedPicture("ic_documents.png", tile(0)->formatimageview));
    EXPECT_EQ(pictureOf(tile(1)->formatimageview), namedPicture("ic_photo.png", tile(1)->formatimageview));
    EXPECT_EQ(pictureOf(tile(2)->formatimageview), namedPicture("ic_documents.png", tile(2)->formatimageview));
    EXPECT_EQ(pictureOf(tile(3)->formatimageview), namedPicture("ic_photo.png", tile(3)->formatimageview));
    EXPECT_NE(namedPicture("ic_photo.png", tile(0)->formatimageview),
              namedPicture("ic_documents.png", tile(0)->formatimageview));
    // Four tiles side by side in the first row.
    EXPECT_EQ(grid()->columnCount(), 4);
    EXPECT_LT(tile(0)->x(), tile(1)->x());
    EXPECT_EQ(tile(3)->y(), tile(0)->y());
    EXPECT_EQ(list()->btnSelectScanner->selectedState(), 0);
    EXPECT_EQ(QApplication::focusWidget(), list()->btnAddJobtoScaner);
}

TEST_F(JobList, RightToLeftStartsTheRowsOnTheRight)
{
    stored(1);
    stored(2);
    LocalizedStrings::setLanguage("ar");
    open();
    ASSERT_EQ(grid()->numberOfItems(), 2);
    EXPECT_GT(tile(0)->x(), tile(1)->x());
    EXPECT_EQ(tile(0)->geometry().right(), grid()->widget()->width() - 1);
    // Right moves towards the start of the row: back from the second tile to the first.
    grid()->setFocus();
    grid()->selectItem(1);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(grid()->selectionIndexPaths(), (std::set<IndexPath>{{0, 0}}));
}

TEST_F(JobList, NewJobsTakeTheSmallestNumberWithoutAFile)
{
    for (int n : {1, 2, 4, 5}) {
        stored(n);
    }
    open();
    list()->btnAddJob->click();
    ASSERT_EQ(shown(), editor());
    EXPECT_EQ(editor()->mjobNo, "3");
    EXPECT_EQ(editor()->jobnametextfield->text().toStdString(), en("LabelJob") + "3");
    EXPECT_FALSE(fs::exists(jobFile(3))) << "nothing is stored before the editor registers";
    editor()->sendpathtextfield->setText("\\\\srv\\in");
    editor()->scanbutton->click();
    ASSERT_EQ(shown(), list());
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(fs::exists(jobFile(3)));
}

TEST_F(JobList, NumbersOfFilesThatLostTheirNumberAreNotReused)
{
    stored(2);
    stored(3);
    // Job-1.xml whose record lost its number still holds a job.
    std::ofstream(jobFile(1), std::ios::binary) << "<SettingData><JobName>Damaged</JobName></SettingData>";
    open();
    list()->btnAddJob->click();
    EXPECT_EQ(editor()->mjobNo, "4");
    editor()->goback(editor()->closebutton);
    EXPECT_EQ(SettingData::ReadSettings(1)->jobName(), "Damaged");
}

TEST_F(JobList, NinetyNineJobsAreTheLimit)
{
    for (int n = 1; n <= 98; ++n) {
        stored(n);
    }
    open();
    list()->btnAddJob->click();
    EXPECT_EQ(editor()->mjobNo, "99") << "98 jobs: the last slot is free";
    editor()->sendpathtextfield->setText("p");
    editor()->scanbutton->click();
    ASSERT_EQ(list()->jobContents.size(), 99u);
    EXPECT_EQ(grid()->numberOfItems(), 99);

    list()->btnAddJob->click();
    EXPECT_EQ(alerts, std::vector<std::string>{en("ErrorJobFull")});
    EXPECT_EQ(shown(), list()) << "the list stays";
}

TEST_F(JobList, RemovingOneAsksNothingAndRemovingAllAsksFirst)
{
    for (int n : {1, 2, 3}) {
        stored(n);
    }
    open();
    tile(1)->removebutton->click();
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "3"}));
    EXPECT_FALSE(fs::exists(jobFile(2)));

    answer = false;
    list()->btnDeleteAllJob->click();
    EXPECT_EQ(questions, std::vector<std::string>{en("MessageDelete")});
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "3"})) << "Cancel leaves the list";
    EXPECT_TRUE(fs::exists(jobFile(1)) && fs::exists(jobFile(3))) << "and the files";

    answer = true;
    list()->btnDeleteAllJob->click();
    EXPECT_TRUE(list()->jobContents.empty());
    EXPECT_EQ(grid()->numberOfItems(), 0);
    EXPECT_TRUE(SettingData::GetFileListNo().empty());
    EXPECT_TRUE(alerts.empty());
}

TEST_F(JobList, UndoPutsTheLastRemovalBackByteForByteAndNeverOverAJobMadeSince)
{
    for (const int number : {1, 2, 3}) {
        stored(number);
    }
    // Written by something else than this store: put back exactly as it was.
    std::ofstream(jobFile(2), std::ios::app) << "\n<!-- kept as written -->\n";
    const std::string second = readWholeFile(jobFile(2));
    open();
    QAction* undo = window->findChild<QAction*>("actionUndo");

    tile(1)->removebutton->click();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "2", "3"}));
    EXPECT_EQ(readWholeFile(jobFile(2)), second);
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "3"}));
    EXPECT_FALSE(fs::exists(jobFile(2)));

    // All of them; then a new job takes number 1, which undo must not overwrite.
    list()->btnDeleteAllJob->click();
    EXPECT_TRUE(undo->isEnabled());
    list()->btnAddJob->click();
    editor()->sendpathtextfield->setText("\\\\srv\\new");
    editor()->scanbutton->click();
    ASSERT_EQ(tileNumbers(), (Numbers{"1"}));
    const std::string made = readWholeFile(jobFile(1));
    EXPECT_FALSE(undo->isEnabled());
    list()->undoRemoval();
    EXPECT_EQ(readWholeFile(jobFile(1)), made);
    EXPECT_FALSE(fs::exists(jobFile(3)));
}

TEST_F(JobList, AJobWhoseFileStaysStaysListed)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    stored(1);
    stored(2);
    open();
    fs::permissions(SettingData::userAppRootFolderPath(), fs::perms::owner_write, fs::perm_options::remove);
    list()->btnDeleteAllJob->click();
    fs::permissions(SettingData::userAppRootFolderPath(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(alerts, std::vector<std::string>{"Job 1 could not be removed: Permission denied.\n"
                                               "Job 2 could not be removed: Permission denied."});
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "2"}));
}

TEST_F(JobList, TakesOverJobsAndTheScannerHandedBack)
{
    stored(1);
    stored(5);
    open();
    auto added = std::make_shared<SettingData>();
    added->setJobNo("3");
    list()->setRepresentedObject(CustomSegue::entry("addjob", added));
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "3", "5"}));
    EXPECT_NE(list()->jobContents[1], added) << "a copy of the editor's record";

    auto changed = std::make_shared<SettingData>();
    changed->setJobNo("5");
    changed->setJobName("Changed");
    list()->setRepresentedObject(CustomSegue::entry("editjob", changed));
    EXPECT_EQ(list()->jobContents[2], changed) << "replaced in place";
    EXPECT_EQ(tile(2)->jobnametextfield->text(), "Changed");
    auto unknown = std::make_shared<SettingData>();
    unknown->setJobNo("7");
    list()->setRepresentedObject(CustomSegue::entry("editjob", unknown));
    EXPECT_EQ(tileNumbers(), (Numbers{"1", "3", "5"}));

    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerName(std::string("Front desk"));
    list()->setRepresentedObject(CustomSegue::entry("scanner", scanner));
    EXPECT_EQ(list()->currentScannerData, scanner);
    EXPECT_EQ(list()->btnSelectScanner->selectedState(), 1);
    EXPECT_EQ(list()->btnSelectScanner->text(), "Front desk");
    list()->setRepresentedObject(std::nullopt);
    list()->setRepresentedObject(CustomSegue::entry("scanner", std::shared_ptr<ScannerData>()));
    EXPECT_EQ(list()->currentScannerData, scanner) << "a result without a scanner keeps the choice";
    EXPECT_EQ(list()->btnSelectScanner->text(), "Front desk");
}

TEST_F(JobList, TileCommandsReachTheListThroughTheResponderChain)
{
    stored(1);
    stored(2, FileFormat::Pdf, "Second");
    open();
    tile(1)->editbutton->click();
    ASSERT_EQ(shown(), editor());
    EXPECT_EQ(tile(1)->jobnumber, "2");
    EXPECT_EQ(tile(1)->jobname, "Second");
    EXPECT_EQ(editor()->mMode, 1);
    EXPECT_EQ(editor()->jobnametextfield->text(), "Second");
    EXPECT_EQ(representedRecord<SettingData>(editor()->representedObject(), "editjob"), list()->jobContents[1])
        << "the very record of the list";
}

TEST_F(JobList, ArrowsSelectAndTabLeavesTheGrid)
{
    for (int n = 1; n <= 6; ++n) {
        stored(n);
    }
    open();
    grid()->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), grid());
    // Tab without a selection: straight out of the grid, to the scan button.
    QTest::keyClick(grid(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list()->btnButtonScan);
    QTest::keyClick(list()->btnButtonScan, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), grid());

    QTest::keyClick(grid(), Qt::Key_Left);
    EXPECT_TRUE(grid()->selectionIndexPaths().empty()) << "only Down and Right select the first tile";
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(grid()->selectionIndexPaths(), (std::set<IndexPath>{{0, 0}}));
    EXPECT_TRUE(tile(0)->highlighted);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(grid()->selectionIndexPaths(), (std::set<IndexPath>{{0, 1}}));
    EXPECT_FALSE(tile(0)->highlighted);
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(grid()->selectionIndexPaths(), (std::set<IndexPath>{{0, 5}})) << "one row further down";
    grid()->deselectAll();
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(grid()->selectionIndexPaths(), (std::set<IndexPath>{{0, 0}}));

    // With a tile selected, Tab visits its two buttons and then leaves; Shift-Tab comes back the same way.
    QTest::keyClick(grid(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), tile(0)->editbutton);
    QTest::keyClick(tile(0)->editbutton, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), tile(0)->removebutton);
    QTest::keyClick(tile(0)->removebutton, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list()->btnButtonScan);
    QTest::keyClick(list()->btnButtonScan, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), tile(0)->removebutton);
    QTest::keyClick(tile(0)->removebutton, Qt::Key_Backtab);
    QTest::keyClick(tile(0)->editbutton, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), grid());
    QTest::keyClick(grid(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), list()->btnDeleteAllJob);

    // Space on the focused edit button edits that tile's job.
    grid()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(grid(), Qt::Key_Tab);
    QTest::keyClick(tile(0)->editbutton, Qt::Key_Space);
    EXPECT_EQ(shown(), editor());
}

TEST_F(JobList, ClickingATileSelectsIt)
{
    stored(1);
    stored(2);
    open();
    QTest::mouseClick(tile(1)->jobbackgroundview, Qt::LeftButton, {}, QPoint(100, 68));
    EXPECT_EQ(grid()->selectionIndexPaths(), (std::set<IndexPath>{{0, 1}}));
    EXPECT_EQ(QApplication::focusWidget(), grid());
    QTest::mouseClick(grid()->widget(), Qt::LeftButton, {}, QPoint(grid()->widget()->width() - 5, 5));
    EXPECT_TRUE(grid()->selectionIndexPaths().empty()) << "a click beside the tiles clears the selection";
}
