// The job editor: what it takes over, its checks in their order, and what it
// stores and hands back.
#include <filesystem>

#include "FWKVXSDK/EnumExtensions.h"
#include "JobScreensFixture.h"

namespace fs = std::filesystem;

namespace {
QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

QStringList texts(std::initializer_list<const char*> keys)
{
    QStringList out;
    for (const char* key : keys) {
        out << QString::fromStdString(LocalizedStrings::text(key));
    }
    return out;
}

class JobEditor : public JobScreens {
protected:
    // The editor for a new job, as the job list's add button opens it.
    void addJob()
    {
        list()->btnAddJob->click();
        ASSERT_EQ(shown(), editor());
    }
    void fill(const char* name, int colorMode, int fileFormat, const char* path)
    {
        editor()->jobnametextfield->setText(name);
        editor()->colormodepopupbutton->setCurrentIndex(colorMode);
        editor()->fileformatpopupbutton->setCurrentIndex(fileFormat);
        editor()->sendpathtextfield->setText(path);
    }
    // Registers; the message shown, if any.
    std::string registerJob()
    {
        alerts.clear();
        editor()->scanbutton->click();
        return alerts.empty() ? std::string() : alerts.back();
    }
};
} // namespace

TEST_F(JobEditor, ListsTheKeywordsInTableOrderAndShowsTheHandedOverJob)
{
    auto job = stored(4, FileFormat::Tiff, "Receipts");
    job->setColorMode(ColorMode::Gray);
    job->setPaperSize(PaperSize::A4);
    job->setResolution(Resolution::Dpi300);
    job->setReadingSurface(ReadingSurface::BothSide);
    job->sendSetting()->setUserName("scan");
    job->sendSetting()->setPassword("pw");
    std::ofstream(jobFile(4), std::ios::binary) << SettingData::XMLData(job);
    open();
    tile(0)->editbutton->click();
    ASSERT_EQ(shown(), editor());
    EXPECT_EQ(itemsOf(editor()->colormodepopupbutton), texts({"Color", "Gray", "Monochrome"}));
    EXPECT_EQ(itemsOf(editor()->papersizepopupbutton), texts({"Auto", "Letter", "A4"}));
    EXPECT_EQ(itemsOf(editor()->resolutionpopupbutton), texts({"Dpi150", "Dpi200", "Dpi240", "Dpi300"}));
    EXPECT_EQ(itemsOf(editor()->readingsurfacepopupbutton), texts({"SkipWhite", "SingleSide", "BothSide"}));
    EXPECT_EQ(itemsOf(editor()->fileformatpopupbutton), texts({"Pdf", "PdfOcr", "Jpeg", "Tiff"}));
    EXPECT_EQ(editor()->scanbutton->text().toStdString(), en("SaveJob"));
    EXPECT_EQ(editor()->jobnametextfield->text(), "Receipts");
    EXPECT_EQ(editor()->colormodepopupbutton->currentIndex(), ColorMode::Gray);
    EXPECT_EQ(editor()->papersizepopupbutton->currentIndex(), PaperSize::A4);
    EXPECT_EQ(editor()->resolutionpopupbutton->currentIndex(), Resolution::Dpi300);
    EXPECT_EQ(editor()->readingsurfacepopupbutton->currentIndex(), ReadingSurface::BothSide);
    EXPECT_EQ(editor()->fileformatpopupbutton->currentIndex(), FileFormat::Tiff);
    EXPECT_EQ(editor()->usernametextfield->text(), "scan");
    EXPECT_EQ(editor()->passwordtextfield->text(), "pw");
    EXPECT_EQ(editor()->passwordtextfield->echoMode(), QLineEdit::Password);
    EXPECT_EQ(editor()->labelColorMode->buddy(), editor()->colormodepopupbutton) << "read out under its caption";

    // Back without saving, by Escape as by the back button; the next new job
    // starts from a clean form.
    editor()->jobnametextfield->setText("Typed but dropped");
    QTest::keyClick(editor()->jobnametextfield, Qt::Key_Escape);
    EXPECT_EQ(shown(), list());
    EXPECT_EQ(SettingData::ReadSettings(4)->jobName(), "Receipts");
    addJob();
    EXPECT_EQ(editor()->scanbutton->text().toStdString(), en("CreateJob")) << "it stores here, it registers nothing";
    EXPECT_EQ(editor()->mMode, 0);
    EXPECT_EQ(editor()->jobnametextfield->text().toStdString(), en("LabelJob") + "1");
    EXPECT_EQ(editor()->usernametextfield->text(), "");
    EXPECT_EQ(editor()->passwordtextfield->text(), "");
    EXPECT_EQ(editor()->sendpathtextfield->text(), "");
    EXPECT_EQ(editor()->colormodepopupbutton->currentIndex(), ColorMode::Color);
    EXPECT_EQ(editor()->resolutionpopupbutton->currentIndex(), Resolution::Dpi200);
}

TEST_F(JobEditor, ChecksRunInTheirOrderAndKeepTheInput)
{
    open();
    addJob();
    fill("", ColorMode::Color, FileFormat::Pdf, "\\\\srv\\what?");
    EXPECT_EQ(registerJob(), en("ErrorInvalidCharacters")) << "the path's characters come first";
    fill("", ColorMode::Monochrome, FileFormat::Jpeg, "");
    EXPECT_EQ(registerJob(), en("ErrorJobName"));
    fill("Scans", ColorMode::Monochrome, FileFormat::Jpeg, "");
    EXPECT_EQ(registerJob(), en("ErrorInvalidCombiMonoJpeg"));
    fill("Scans", ColorMode::Monochrome, FileFormat::Tiff, "");
    EXPECT_EQ(registerJob(), en("ErrorSendPath"));
    EXPECT_EQ(shown(), editor()) << "a refused job leaves the editor as it was";
    EXPECT_EQ(editor()->jobnametextfield->text(), "Scans");
    EXPECT_TRUE(SettingData::GetFileListNo().empty());
    fill("   ", ColorMode::Color, FileFormat::Pdf, "\\\\srv\\in");
    EXPECT_EQ(registerJob(), en("ErrorJobName")) << "blanks alone would be stored as no name";

    fill("Scans", ColorMode::Gray, FileFormat::Jpeg, "\\\\srv/scans\\2024");
    EXPECT_EQ(registerJob(), "") << "slashes of both kinds are allowed";
    EXPECT_EQ(shown(), list());
    EXPECT_EQ(SettingData::ReadSettings(1)->fileFormat(), FileFormat::Jpeg);
}

TEST_F(JobEditor, SavingAnEditedJobKeepsItsNumberAndGoesBackToTheSharedFolder)
{
    stored(2);
    auto job = stored(6, FileFormat::Pdf, "Device");
    job->sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    std::ofstream(jobFile(6), std::ios::binary) << SettingData::XMLData(job);
    stored(9);
    open();
    tile(1)->editbutton->click();
    editor()->jobnametextfield->setText("Renamed");
    EXPECT_EQ(registerJob(), "");
    ASSERT_EQ(shown(), list());
    const auto back = SettingData::ReadSettings(6);
    EXPECT_EQ(back->jobName(), "Renamed");
    EXPECT_EQ(back->sendSetting()->destinationType(), DestinationType::ShareFolder);
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{2, 6, 9}));
    EXPECT_EQ(list()->jobContents[1]->jobName(), "Renamed") << "changed in its place";
    EXPECT_EQ(tile(1)->jobnametextfield->text(), "Renamed");
}

TEST_F(JobEditor, BlanksAroundTheShareCredentialsAreKept)
{
    open();
    addJob();
    fill(" Padded ", ColorMode::Color, FileFormat::Pdf, "\\\\srv\\in");
    editor()->usernametextfield->setText(" office\\scan ");
    editor()->passwordtextfield->setText("  secret ");
    EXPECT_EQ(registerJob(), "");
    const auto back = SettingData::ReadSettings(1);
    EXPECT_EQ(back->sendSetting()->userName(), " office\\scan ");
    EXPECT_EQ(back->sendSetting()->password(), "  secret ");
    // The list shows the job as it is stored.
    ASSERT_EQ(list()->jobContents.size(), 1u);
    EXPECT_EQ(list()->jobContents[0]->jobName(), back->jobName());
    EXPECT_EQ(list()->jobContents[0]->sendSetting()->password(), "  secret ");
}

TEST_F(JobEditor, AJobThatCannotBeSavedIsReportedAndNotListed)
{
    stored(1);
    open();
    addJob();
    fs::create_directory(jobFile(2)); // something in the way of the job's file
    fill("Blocked", ColorMode::Color, FileFormat::Pdf, "\\\\srv\\in");
    EXPECT_EQ(registerJob(), "Job 2 could not be saved: Is a directory.");
    EXPECT_EQ(shown(), editor()) << "the input stays, the user may try again";
    EXPECT_EQ(editor()->jobnametextfield->text(), "Blocked");
    EXPECT_EQ(list()->jobContents.size(), 1u);
    EXPECT_EQ(grid()->numberOfItems(), 1);

    fs::remove(jobFile(2));
    EXPECT_EQ(registerJob(), "");
    EXPECT_EQ(shown(), list());
    EXPECT_EQ(tileNumbers(), (std::vector<std::string>{"1", "2"}));
}

TEST_F(JobEditor, AFailedChangeKeepsTheStoredJobListed)
{
    stored(1, FileFormat::Pdf, "Before");
    open();
    tile(0)->editbutton->click();
    fs::remove(jobFile(1));
    fs::create_directory(jobFile(1));
    editor()->jobnametextfield->setText("After");
    EXPECT_EQ(registerJob(), "Job 1 could not be saved: Is a directory.");
    EXPECT_EQ(list()->jobContents[0]->jobName(), "Before");
}
