#pragma once

#include <QString>
#include <functional>

class QWidget;

// "Export Jobs..." and "Import Jobs..." of the application menu: the job
// bundles of "vantix jobs export" and "vantix jobs import" (JobBundleTransfer,
// the same checks, refusals and messages), with a file dialog and a question
// for what the tool takes as an option.
class JobBundleMenu {
public:
    enum class Purpose { Export, Import };
    // Chooses the bundle file; an empty text cancels. Tests answer here
    // instead of a file dialog (empty: dialogs again).
    using FileChooser = std::function<QString(Purpose purpose)>;
    static void setFileChooser(FileChooser chooser);

    // Asks for the file and, only when a job holds a shared folder password,
    // whether the bundle carries the passwords; then exports and says how it went.
    static void exportJobs(QWidget* parent);
    // Asks for the file and, only when there are jobs, whether the bundle's
    // jobs join them (the default) or replace them; then imports and says how
    // it went. False when the user cancelled; otherwise the job folder may
    // have changed.
    static bool importJobs(QWidget* parent);
};
