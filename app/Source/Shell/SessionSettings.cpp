#include "SessionSettings.h"

#include <QSettings>
#include <QWidget>

#include "ConfigFolders.h"
#include "ScannerAddress.h"
#include "SystemLog.h"

namespace {
const QString kScannerName = QStringLiteral("LastScanner/name");
const QString kScannerAddress = QStringLiteral("LastScanner/address");
const QString kGeometry = QStringLiteral("MainWindow/geometry");

template <typename Change>
void write(Change change)
{
    if (!ConfigFolders::ensureUserFolder()) {
        SystemLog::write("settings: the folder " + ConfigFolders::userFolder() + " could not be created");
        return;
    }
    QSettings settings(SessionSettings::filePath(), QSettings::IniFormat);
    change(settings);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        SystemLog::write("settings: " + SessionSettings::filePath().toStdString() + " could not be written");
    }
}
} // namespace

QString SessionSettings::filePath()
{
    return QString::fromStdString(ConfigFolders::userFolder()) + QStringLiteral("/fernwick-vantix.conf");
}

std::shared_ptr<ScannerData> SessionSettings::lastScanner()
{
    const QSettings settings(filePath(), QSettings::IniFormat);
    const std::string address = settings.value(kScannerAddress).toString().toStdString();
    // Only an address that could have been picked is ever sent to.
    if (!ScannerAddress::isDottedIPv4(address)) {
        return nullptr;
    }
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(address);
    scanner->setScannerName(settings.value(kScannerName).toString().toStdString());
    return scanner;
}

void SessionSettings::rememberScanner(const ScannerData& scanner)
{
    write([&](QSettings& settings) {
        settings.setValue(kScannerName, QString::fromStdString(scanner.scannerName().value_or(std::string())));
        settings.setValue(kScannerAddress, QString::fromStdString(scanner.scannerIp().value_or(std::string())));
    });
}

void SessionSettings::restoreGeometry(QWidget& window)
{
    const QSettings settings(filePath(), QSettings::IniFormat);
    const QByteArray geometry = settings.value(kGeometry).toByteArray();
    if (!geometry.isEmpty()) {
        window.restoreGeometry(geometry);
    }
}

void SessionSettings::saveGeometry(const QWidget& window)
{
    write([&](QSettings& settings) { settings.setValue(kGeometry, window.saveGeometry()); });
}
