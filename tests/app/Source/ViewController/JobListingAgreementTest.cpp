// Jobs made in the application are the jobs the vantix tool lists, and the
// other way round.

#include "CliProcess.h"
#include "FWKVXSDK/EnumExtensions.h"
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
