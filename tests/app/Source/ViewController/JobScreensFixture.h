#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AlertPanel.h"
#include "ApplicationWindows.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "JobCollectionButton.h"
#include "JobCollectionView.h"
#include "JobCollectionViewItem.h"
#include "JobItemBackgroundView.h"
#include "LocalizedStrings.h"
#include "MainWindow.h"
#include "MessagePresenter.h"
#include "QtMainThread.h"
#include "ScanButton.h"
#include "ToolbarButton.h"
#include "VXContainerViewController.h"
#include "VXJobCreateViewController.h"
#include "VXJobScanViewController.h"

// The job list and the job editor in a real main window (offscreen), on a job
// folder of their own. Alerts and questions are recorded, never shown.
class JobScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        ASSERT_TRUE(JobFolder::ensureExists());
        LocalizedStrings::setLanguage("en");
        QtMainThread::install();
        MessagePresenter::install([this](const MessageAlert& alert) { alerts.push_back(alert.informativeText); });
        AlertPanel::setQuestionHandler([this](const MessageAlert& alert, const std::string&) {
            questions.push_back(alert.informativeText);
            return answer;
        });
    }

    void TearDown() override
    {
        DispatchQueue::global().waitUntilIdle(std::chrono::seconds(30));
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MessagePresenter::install(nullptr);
        AlertPanel::setQuestionHandler(nullptr);
        MainThreadDispatcher::SetHook(nullptr);
        LocalizedStrings::setLanguage("en");
    }

    static std::string en(const char* key) { return LocalizedStrings::textIn("en", key); }

    // A job file as an earlier run left it (written directly: no need to wait for the disk).
    static std::shared_ptr<SettingData> stored(int number, int64_t fileFormat = 0, const std::string& name = "")
    {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(std::to_string(number));
        job->setJobName(name.empty() ? "Stored" + std::to_string(number) : name);
        job->setFileFormat(fileFormat);
        job->sendSetting()->setSendPath("\\\\srv\\in");
        std::ofstream(jobFile(number), std::ios::binary) << SettingData::XMLData(job);
        return job;
    }
    static std::string jobFile(int number)
    {
        return SettingData::userAppRootFolderPath() + "/Job-" + std::to_string(number) + ".xml";
    }

    // The main window, built now: the job list reads the folder as it is.
    void open()
    {
        window = std::make_unique<MainWindow>();
        ApplicationWindows::setMainWindow(window.get());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QApplication::processEvents();
    }

    VXJobScanViewController* list() const { return window->container()->jobScanViewController; }
    VXJobCreateViewController* editor() const { return window->container()->jobCreateViewController; }
    ViewController* shown() const
    {
        const auto children = window->container()->childViewControllers();
        return children.size() == 1 ? children.first() : nullptr;
    }
    JobCollectionView* grid() const { return list()->collectionview; }
    JobCollectionViewItem* tile(int64_t index) const { return grid()->itemAtIndex(index); }

    std::vector<std::string> tileNumbers() const
    {
        std::vector<std::string> numbers;
        for (int64_t i = 0; i < grid()->numberOfItems(); ++i) {
            numbers.push_back(tile(i)->jobnumbertextfield->text().toStdString());
        }
        return numbers;
    }
    std::vector<std::string> listedNumbers() const
    {
        std::vector<std::string> numbers;
        for (const auto& job : list()->jobContents) {
            numbers.push_back(job->jobNo().value_or("?"));
        }
        return numbers;
    }

    // Lets the main thread run until the condition holds; false when the time ran out.
    static bool runUntil(const std::function<bool()>& condition,
                         std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    ScratchFolder data;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> alerts;
    std::vector<std::string> questions;
    bool answer = true;
};
