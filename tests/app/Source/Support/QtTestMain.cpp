// main() of the widget tests: one QApplication for the whole run (offscreen
// platform unless the caller chose one), then every test case.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// What one case's main window kept (the picked scanner, saved scanners) is
// gone before the next case, also when the cases run in one process.
struct ForgetKeptSettings : ::testing::EmptyTestEventListener {
    QString folder;
    void OnTestEnd(const ::testing::TestInfo&) override { QDir(folder).removeRecursively(); }
};
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt wants a private runtime folder; CI machines often have none.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    // Screens read the job folder when they load, and the main window what
    // the last run kept: never the user's own, nor a preset job set of this machine.
    QTemporaryDir data;
    QTemporaryDir config;
    if (data.isValid() && config.isValid()) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path() + QStringLiteral("/home")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(config.path() + QStringLiteral("/system")));
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    auto* forget = new ForgetKeptSettings;
    forget->folder = config.path() + QStringLiteral("/home");
    ::testing::UnitTest::GetInstance()->listeners().Append(forget);
    return RUN_ALL_TESTS();
}
