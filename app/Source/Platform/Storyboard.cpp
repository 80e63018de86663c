#include "Storyboard.h"

#include <QDialog>
#include <QVBoxLayout>
#include <functional>
#include <map>
#include <utility>

#include "ApplicationWindows.h"
#include "PasswordDialogController.h"
#include "ProcessAnimationController.h"
#include "VXJobCreateViewController.h"
#include "VXJobRegisterViewController.h"
#include "VXJobScanViewController.h"
#include "VXScanerListViewController.h"
#include "VXVersionViewController.h"
#include "WindowController.h"

namespace {
using Key = std::pair<QString, QString>;

const std::map<Key, std::function<VXViewController*()>>& screens()
{
    static const std::map<Key, std::function<VXViewController*()>> table{
        {{"JobScan", "VXJobScanViewController"}, [] { return new VXJobScanViewController; }},
        {{"ScanerList", "VXScanerListViewController"}, [] { return new VXScanerListViewController; }},
        {{"ScanerVersion", "VXVersionViewController"}, [] { return new VXVersionViewController; }},
        {{"JobCreate", "VXJobCreateViewController"}, [] { return new VXJobCreateViewController; }},
        {{"JobRegister", "VXJobRegisterViewController"}, [] { return new VXJobRegisterViewController; }},
    };
    return table;
}

// A dialog window around its content; the content's size is the window's.
std::unique_ptr<WindowController> windowAround(ViewController* content, Qt::WindowFlags flags)
{
    auto* window = new QDialog(ApplicationWindows::mainWindow(), flags);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    // Loaded inside its window, so that the content can reach the window at once.
    content->loadViewIfNeeded();
    window->setFixedSize(content->size());
    return std::make_unique<WindowController>(window, content);
}
} // namespace

VXViewController* Storyboard::instantiateControllerWithIdentifier(const QString& storyboard, const QString& identifier)
{
    const auto found = screens().find({storyboard, identifier});
    return found == screens().end() ? nullptr : found->second();
}

std::unique_ptr<WindowController> Storyboard::instantiateWindowControllerWithIdentifier(const QString& storyboard,
                                                                                     const QString& identifier)
{
    if (storyboard == "ProcessAnimation" && identifier == "ProcessAnimation") {
        // A panel without a title bar: it only shows what a long operation is doing.
        return windowAround(new ProcessAnimationController, Qt::Dialog | Qt::FramelessWindowHint);
    }
    if (storyboard == "PasswordDialog" && identifier == "PasswordDialog") {
        return windowAround(new PasswordDialogController, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    }
    return nullptr;
}
