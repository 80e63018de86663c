// The screen container: the transition table, the life-cycle calls and the
// keyboard loop setting, driven through the screens' own handlers.
#include <QApplication>
#include <functional>
#include <gtest/gtest.h>

#include "KeyViewLoop.h"
#include "LocalizedStrings.h"
#include "MainWindow.h"
#include "VXContainerViewController.h"
#include "VXJobCreateViewController.h"
#include "VXJobRegisterViewController.h"
#include "VXJobScanViewController.h"
#include "VXScanerListViewController.h"
#include "VXVersionViewController.h"

namespace {
class Navigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        container = window.container();
    }

    ViewController* shown() const
    {
        const auto children = container->childViewControllers();
        return children.size() == 1 ? children.first() : nullptr;
    }

    // Sends the request through the handler that the container installed on the screen.
    void send(VXViewController* screen, const std::string& identifier, RepresentedObject object = std::nullopt,
              VXViewController* source = nullptr)
    {
        screen->transition(CustomSegue(identifier, source ? source : screen, std::move(object)));
    }

    bool automaticLoop() const { return KeyViewLoop::autorecalculatesKeyViewLoop(&window); }

    MainWindow window;
    VXContainerViewController* container = nullptr;
};

std::shared_ptr<SettingData> jobNumbered(const char* number)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo(std::string(number));
    return job;
}
} // namespace

TEST_F(Navigation, TheJobListComesFirstAndEveryRowLeadsWhereItSays)
{
    auto* jobs = container->jobScanViewController;
    auto* scanners = container->scanerListViewController;
    auto* version = container->versionViewController;
    auto* editor = container->jobCreateViewController;
    auto* bulk = container->jobRegisterViewController;
    ASSERT_TRUE(jobs && scanners && version && editor && bulk);
    EXPECT_EQ(shown(), jobs);
    EXPECT_EQ(jobs->parentWidget(), container);
    EXPECT_EQ(jobs->geometry(), container->rect());

    send(jobs, "discovery");
    EXPECT_EQ(shown(), scanners);
    EXPECT_FALSE(automaticLoop());
    send(scanners, "goback");
    EXPECT_EQ(shown(), jobs);
    EXPECT_TRUE(automaticLoop());

    send(jobs, "version");
    EXPECT_EQ(shown(), version);
    send(version, "copyjob");
    EXPECT_EQ(shown(), bulk);
    EXPECT_FALSE(automaticLoop());
    send(bulk, "goback");
    EXPECT_EQ(shown(), jobs);
    send(jobs, "version");
    send(version, "goback");
    EXPECT_EQ(shown(), jobs);

    // "addjob" and "editjob" lead to the editor from the job list, and back from the editor.
    auto job = jobNumbered("3");
    send(jobs, "addjob", CustomSegue::entry("addjob", job));
    EXPECT_EQ(shown(), editor);
    EXPECT_EQ(representedRecord<SettingData>(editor->representedObject(), "addjob"), job);
    send(editor, "goback");
    EXPECT_EQ(shown(), jobs);
    send(jobs, "editjob", CustomSegue::entry("editjob", job));
    EXPECT_EQ(shown(), editor);
    auto changed = jobNumbered("3");
    send(editor, "editjob", CustomSegue::entry("editjob", changed));
    EXPECT_EQ(shown(), jobs);
    EXPECT_EQ(representedRecord<SettingData>(jobs->representedObject(), "editjob"), changed);
    // One screen is shown at a time.
    EXPECT_EQ(container->childViewControllers().size(), 1);
}

TEST_F(Navigation, UnknownIdentifiersLeaveTheScreenInPlace)
{
    auto* jobs = container->jobScanViewController;
    auto* editor = container->jobCreateViewController;
    send(jobs, "addjob", CustomSegue::entry("addjob", jobNumbered("1")));
    ASSERT_EQ(shown(), editor);
    send(editor, "version");
    send(editor, "discovery");
    send(editor, "");
    EXPECT_EQ(shown(), editor);
    send(container->versionViewController, "editjob", std::nullopt, editor);
    EXPECT_EQ(shown(), editor);
}

TEST_F(Navigation, AbsentObjectsArePassedOnAndOnlyWhereTheTableSays)
{
    auto* jobs = container->jobScanViewController;
    auto* scanners = container->scanerListViewController;
    jobs->setRepresentedObject(CustomSegue::entry("scanner", std::make_shared<ScannerData>()));
    send(jobs, "discovery");
    send(scanners, "goback"); // no row selected: no scanner
    EXPECT_FALSE(jobs->representedObject().has_value());

    auto scanner = std::make_shared<ScannerData>();
    send(jobs, "discovery");
    send(scanners, "goback", CustomSegue::entry("scanner", scanner));
    EXPECT_EQ(representedRecord<ScannerData>(jobs->representedObject(), "scanner"), scanner);

    // The version screen's "goback" passes nothing on, even when it carries something.
    send(jobs, "version");
    send(container->versionViewController, "goback", CustomSegue::entry("scanner", std::make_shared<ScannerData>()));
    EXPECT_EQ(representedRecord<ScannerData>(jobs->representedObject(), "scanner"), scanner);
}

TEST_F(Navigation, ADestinationShownAlreadyStaysButStillGetsItsObject)
{
    auto* jobs = container->jobScanViewController;
    QStringList calls;
    QObject::connect(jobs, &ViewController::lifeCycle, [&](const QString& call) { calls << call; });
    KeyViewLoop::setAutorecalculatesKeyViewLoop(&window, false);
    auto job = jobNumbered("7");
    // The editor's handler, asked to go from the job list to the job list.
    send(container->jobCreateViewController, "addjob", CustomSegue::entry("addjob", job), jobs);
    EXPECT_EQ(shown(), jobs);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(automaticLoop());
    EXPECT_EQ(representedRecord<SettingData>(jobs->representedObject(), "addjob"), job);
}

TEST_F(Navigation, LifeCycleCallsComeInTheirOrder)
{
    auto* jobs = container->jobScanViewController;
    auto* editor = container->jobCreateViewController;
    QStringList calls;
    QObject::connect(jobs, &ViewController::lifeCycle, [&](const QString& call) { calls << "jobs." + call; });
    QObject::connect(editor, &ViewController::lifeCycle, [&](const QString& call) { calls << "editor." + call; });
    send(jobs, "addjob", CustomSegue::entry("addjob", jobNumbered("1")));
    send(editor, "goback");
    send(jobs, "addjob", CustomSegue::entry("addjob", jobNumbered("2")));
    // The screen shown leaves the window before the next one appears.
    const QStringList expected{
        "jobs.viewWillDisappear",   "jobs.viewDidDisappear",  "editor.viewDidLoad",
        "editor.viewWillAppear",    "editor.viewDidAppear",   // first visit of the editor
        "editor.viewWillDisappear", "editor.viewDidDisappear", "jobs.viewWillAppear",
        "jobs.viewDidAppear",                                  // back
        "jobs.viewWillDisappear",   "jobs.viewDidDisappear",  "editor.viewWillAppear",
        "editor.viewDidAppear",                                // loaded once only
    };
    EXPECT_EQ(calls, expected);

    // Closing the window lets the screen shown know that it disappears.
    calls.clear();
    window.close();
    EXPECT_EQ(calls, QStringList({"editor.viewWillDisappear", "editor.viewDidDisappear"}));
}

TEST_F(Navigation, ScreensFollowTheWindowsSize)
{
    window.resize(1100, 800);
    QApplication::processEvents();
    EXPECT_EQ(container->jobScanViewController->size(), container->size());
    send(container->jobScanViewController, "version");
    EXPECT_EQ(container->versionViewController->size(), container->size());
}

namespace {
// What a screen looks like: every view's frame, direction and alignment, in
// the order of the widget tree (which mirroring does not change).
QStringList appearance(QWidget* screen)
{
    QStringList views;
    QList<QWidget*> all{screen};
    all += screen->findChildren<QWidget*>();
    for (QWidget* view : all) {
        const QRect frame = view->geometry();
        views << QStringLiteral("%1 %2,%3 %4x%5 %6 %7")
                     .arg(view->objectName().isEmpty() ? view->metaObject()->className() : view->objectName())
                     .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                     .arg(view->layoutDirection())
                     .arg(view->property("alignment").toInt());
    }
    return views;
}
} // namespace

TEST(RightToLeftNavigation, EveryScreenLooksTheSameOnEveryVisit)
{
    LocalizedStrings::setLanguage("ar");
    MainWindow window;
    window.show();
    auto* container = window.container();
    auto* jobs = container->jobScanViewController;
    auto* version = container->versionViewController;
    const auto send = [](VXViewController* screen, const char* identifier, RepresentedObject object = std::nullopt) {
        screen->transition(CustomSegue(identifier, screen, std::move(object)));
    };
    // Each way out of the job list and back again, through the screen visited.
    const std::vector<std::pair<ViewController*, std::function<void()>>> visits{
        {version, [&] { send(jobs, "version"); }},
        {container->jobCreateViewController,
         [&] { send(jobs, "addjob", CustomSegue::entry("addjob", jobNumbered("1"))); }},
        {container->scanerListViewController, [&] { send(jobs, "discovery"); }},
        {container->jobRegisterViewController, [&] { send(jobs, "version"); send(version, "copyjob"); }},
    };
    const QStringList freshJobList = appearance(jobs);
    std::vector<QStringList> firstVisit(visits.size());
    for (int round = 1; round <= 3; ++round) {
        for (std::size_t at = 0; at < visits.size(); ++at) {
            auto* screen = static_cast<VXViewController*>(visits[at].first);
            visits[at].second();
            ASSERT_EQ(container->childViewControllers().first(), screen);
            if (round == 1) {
                firstVisit[at] = appearance(screen);
            }
            EXPECT_EQ(appearance(screen), firstVisit[at]) << screen->metaObject()->className() << ", visit " << round;
            send(screen, "goback");
            EXPECT_EQ(appearance(jobs), freshJobList)
                << "after " << round << " visits of " << screen->metaObject()->className();
        }
    }
    LocalizedStrings::useEnvironmentLanguage();
}
