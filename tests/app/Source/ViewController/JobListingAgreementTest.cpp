// Jobs made in the application are the jobs the vantix tool lists, and the
// other way round; the application's job bundles are the tool's.

#include <QAction>
#include <QMenu>

#include "CliProcess.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "JobBundleMenu.h"
#include "JobJson.h"
#include "JobScreensFixture.h"

namespace {
class JobListingAgreement : public JobScreens {
protected:
    nlohmann::json listedByTheScreen() const
    {
        nlohmann::json jobs = nlohmann::json::array();
        for (const auto& job : list()->jobContents) {
            jobs.push_back(JobJson::job(*job));
        }
        return jobs;
    }
    nlohmann::json listedByTheTool() const
    {
        const CliResult listed = runVantix({"jobs", "list", "--json"});
        EXPECT_EQ(listed.status, 0) << listed.err;
        const auto lines = listed.outJson();
        return lines.empty() ? nlohmann::json() : lines.front();
    }
};
} // namespace

TEST_F(JobListingAgreement, JobsMadeOnTheScreensAreListedAlikeByTheTool)
{
    open();
    struct Made {
        const char* name;
        int color;
        int format;
        const char* user;
        const char* path;
    };
    for (const Made& made : {Made{"Invoices", ColorMode::Gray, FileFormat::PdfOcr, "", "\\\\srv\\invoices"},
                             Made{"Photos", ColorMode::Color, FileFormat::Jpeg, " office\\scan ", "\\\\srv\\photos"},
                             Made{"Archive", ColorMode::Monochrome, FileFormat::Tiff, "archivist", "/mnt/archive"}}) {
        list()->btnAddJob->click();
        editor()->jobnametextfield->setText(made.name);
        editor()->colormodepopupbutton->setCurrentIndex(made.color);
        editor()->fileformatpopupbutton->setCurrentIndex(made.format);
        editor()->usernametextfield->setText(made.user);
        editor()->passwordtextfield->setText("pw");
        editor()->sendpathtextfield->setText(made.path);
        editor()->scanbutton->click();
        ASSERT_EQ(shown(), list()) << made.name;
    }
    // One edited, one removed.
    tile(0)->editbutton->click();
    editor()->resolutionpopupbutton->setCurrentIndex(Resolution::Dpi300);
    editor()->scanbutton->click();
    tile(1)->removebutton->click();

    const nlohmann::json screen = listedByTheScreen();
    ASSERT_EQ(screen.size(), 2u);
    EXPECT_EQ(listedByTheTool(), screen);
    EXPECT_EQ(screen[0]["resolution"], "Dpi300");
    EXPECT_EQ(screen[1]["userName"], "archivist");
}

TEST_F(JobListingAgreement, JobsMadeWithTheToolAreListedAlikeOnTheScreen)
{
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--name", "Letters", "--paper", "Letter", "--path", "\\\\srv\\letters"},
          std::vector<std::string>{"--format", "Jpeg", "--surface", "BothSide", "--user", " u ", "--path", "p"},
          std::vector<std::string>{"--destination", "DeviceStorage", "--resolution", "Dpi150", "--path", "x"}}) {
        std::vector<std::string> arguments{"jobs", "add"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CliResult added = runVantix(arguments);
        ASSERT_EQ(added.status, 0) << added.err;
    }
    open();
    const nlohmann::json tool = listedByTheTool();
    ASSERT_EQ(tool.size(), 3u);
    EXPECT_EQ(listedByTheScreen(), tool);
    EXPECT_EQ(tile(1)->jobnametextfield->text().toStdString(), tool[1]["jobName"].get<std::string>());
    EXPECT_EQ(tool[1]["userName"], " u ");
}

TEST_F(JobListingAgreement, TheMenusExportAndImportJobBundlesByteForByteAsTheToolDoes)
{
    stored(1);
    auto secret = stored(5, FileFormat::Tiff, "Photos");
    secret->sendSetting()->setPassword("s3cret");
    SettingData::SaveSettings(secret);
    open();
    QString chosen;
    int asked = 0;
    JobBundleMenu::setFileChooser([&](JobBundleMenu::Purpose) { return chosen; });
    AlertPanel::setChoiceHandler([&](const std::string&, const std::vector<std::string>&) {
        ++asked;
        return 1; // yes
    });
    const auto trigger = [&](const char* action, const char* file) {
        chosen = QString::fromStdString((data.path() / file).string());
        emit window->findChild<QMenu*>("menuApplication")->aboutToShow();
        auto* item = window->findChild<QAction*>(action);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    };

    trigger("actionExportJobs", "menu.json");
    EXPECT_EQ(asked, 1) << "whether to carry the passwords: yes";
    ASSERT_EQ(runVantix({"jobs", "export", (data.path() / "tool.json").string(), "--with-passwords"}).status, 0);
    EXPECT_EQ(readWholeFile(data.path() / "menu.json"), readWholeFile(data.path() / "tool.json"));

    // Replacing the jobs by a bundle: the job list shows its set, and no removal is left to undo.
    tile(0)->removebutton->click();
    data.write("other.json", R"({"format":"fernwick-vantix-jobs","version":1,"withPasswords":false,"jobs":[{"jobNo":2,)"
                             R"("jobName":"Letters","colorMode":"Gray","paperSize":"Letter","resolution":"Dpi300",)"
                             R"("readingSurface":"BothSide","fileFormat":"Pdf","destinationType":"ShareFolder",)"
                             R"("userName":"","sendPath":"\\\\srv\\letters"}]})");
    trigger("actionImportJobs", "other.json");
    EXPECT_EQ(tileNumbers(), std::vector<std::string>{"2"});
    EXPECT_EQ(asked, 2) << "whether to replace the jobs";
    EXPECT_FALSE(list()->canUndoRemoval());

    // Only while the job list is shown: an editor open on a job would save over an import.
    list()->btnAddJob->click();
    emit window->findChild<QMenu*>("menuApplication")->aboutToShow();
    EXPECT_FALSE(window->findChild<QAction*>("actionImportJobs")->isEnabled());
    JobBundleMenu::setFileChooser(nullptr);
    AlertPanel::setChoiceHandler(nullptr);
}
