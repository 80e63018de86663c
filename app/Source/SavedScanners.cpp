#include "SavedScanners.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "FWKVXSDK/AtomicFile.h"

#include "ConfigFolders.h"
#include "LocalizedStrings.h"
#include "ScannerAddress.h"
#include "SmallFile.h"
#include "VersionedJson.h"

namespace {
using Json = VersionedJson::Json;

constexpr const char* kFormat = "fernwick-vantix-scanners";
constexpr std::size_t kMaximumSize = 64 * 1024;
// Deepest nesting of the file: root, list, entry, value.
constexpr int kDeepestLevel = 3;

// The application and the tool may change the list at the same time: each
// change reads, changes and writes the file while it holds this lock on the folder.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : mFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        while (mFd >= 0 && ::flock(mFd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock()
    {
        if (mFd >= 0) {
            ::close(mFd); // releases the lock
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int mFd;
};

class Unusable {
public:
    explicit Unusable(std::string reason) : reason(std::move(reason)) {}
    std::string reason;
};

std::vector<SavedScanners::Entry> readEntries(const Json& root)
{
    const Json& list = root["scanners"];
    if (!list.is_array() || list.size() > SavedScanners::kMaximumScanners) {
        VersionedJson::damaged("/scanners");
    }
    std::vector<SavedScanners::Entry> entries;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string place = "/scanners/" + std::to_string(i);
        VersionedJson::onlyMembers(list[i], {"address", "name"}, place);
        const Json& address = list[i]["address"];
        if (!address.is_string() || !ScannerAddress::isDottedIPv4(address.get<std::string>()) ||
            !seen.insert(address.get<std::string>()).second) {
            VersionedJson::damaged(place + "/address");
        }
        if (!list[i]["name"].is_string()) {
            VersionedJson::damaged(place + "/name");
        }
        entries.push_back({address.get<std::string>(), list[i]["name"].get<std::string>()});
    }
    return entries;
}

// The entries of the file's bytes; Unusable with the reason when they cannot be read.
std::vector<SavedScanners::Entry> readDocument(const std::string& bytes)
{
    using Fault = VersionedJson::Fault;
    try {
        return readEntries(VersionedJson::read(bytes, kFormat, SavedScanners::kVersion,
                                               {"format", "version", "scanners"}, kDeepestLevel));
    } catch (const Fault& fault) {
        switch (fault.kind) {
        case Fault::Kind::Syntax:
            throw Unusable(LocalizedStrings::format("SavedScannersSyntax", {fault.detail}));
        case Fault::Kind::Foreign:
            throw Unusable(LocalizedStrings::text("SavedScannersForeign"));
        case Fault::Kind::Newer:
            throw Unusable(LocalizedStrings::format("SavedScannersNewer",
                                                    {fault.detail, std::to_string(SavedScanners::kVersion)}));
        case Fault::Kind::Damaged:
            break;
        }
        throw Unusable(LocalizedStrings::format("SavedScannersDamaged", {fault.detail}));
    }
}

std::string writeDocument(const std::vector<SavedScanners::Entry>& entries)
{
    Json root = Json::object();
    root["format"] = kFormat;
    root["version"] = SavedScanners::kVersion;
    root["scanners"] = Json::array();
    for (const auto& entry : entries) {
        root["scanners"].push_back(Json{{"address", entry.address}, {"name", entry.name}});
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string problemMessage(const std::string& reason)
{
    return LocalizedStrings::format("ErrorSavedScannersFile", {SavedScanners::filePath(), reason});
}

// Reads the list, changes it and writes it back, all under the folder's lock.
template <typename Change>
std::string changeList(Change change)
{
    if (!ConfigFolders::ensureUserFolder()) {
        return LocalizedStrings::format("ErrorConfigFolder", {ConfigFolders::userFolder()});
    }
    const FolderLock lock(ConfigFolders::userFolder());
    auto list = SavedScanners::load();
    if (!list.problem.empty()) {
        return list.problem;
    }
    if (auto refusal = change(list.scanners); !refusal.empty()) {
        return refusal;
    }
    std::error_code failure;
    if (!AtomicFile::write(SavedScanners::filePath(), writeDocument(list.scanners), 0600, &failure)) {
        return LocalizedStrings::format("ErrorSavedScannersWrite", {SavedScanners::filePath(), failure.message()});
    }
    return std::string();
}
} // namespace

std::string SavedScanners::filePath()
{
    return ConfigFolders::userFolder() + "/" + kFileName;
}

SavedScanners::List SavedScanners::load()
{
    List list;
    const std::string path = filePath();
    struct stat info {};
    const int missing = ::stat(path.c_str(), &info) == 0 ? 0 : errno;
    if (missing == ENOENT) {
        return list;
    }
    const auto file = SmallFile::read(path, kMaximumSize);
    const int readError = errno;
    try {
        if (missing == 0 && !S_ISREG(info.st_mode)) {
            throw Unusable(LocalizedStrings::text("SavedScannersNotAFile"));
        }
        if (file.status == SmallFile::Status::TooLarge) {
            throw Unusable(LocalizedStrings::text("SavedScannersTooLarge"));
        }
        if (file.status != SmallFile::Status::Read) {
            const int error = missing != 0 ? missing : readError;
            throw Unusable(LocalizedStrings::format("SavedScannersUnreadable",
                                                    {std::generic_category().message(error)}));
        }
        list.scanners = readDocument(file.bytes);
    } catch (const Unusable& unusable) {
        list.problem = problemMessage(unusable.reason);
    }
    return list;
}

std::string SavedScanners::add(const std::string& address, const std::string& name)
{
    return changeList([&](std::vector<Entry>& scanners) {
        const auto known = std::find_if(scanners.begin(), scanners.end(),
                                        [&](const Entry& entry) { return entry.address == address; });
        if (known != scanners.end()) {
            known->name = name;
        } else if (scanners.size() >= kMaximumScanners) {
            return LocalizedStrings::format("ErrorSavedScannersFull", {std::to_string(kMaximumScanners)});
        } else {
            scanners.push_back({address, name});
        }
        return std::string();
    });
}

std::string SavedScanners::remove(const std::string& address)
{
    return changeList([&](std::vector<Entry>& scanners) {
        const auto known = std::find_if(scanners.begin(), scanners.end(),
                                        [&](const Entry& entry) { return entry.address == address; });
        if (known == scanners.end()) {
            return LocalizedStrings::format("ErrorScannerNotSaved", {address});
        }
        scanners.erase(known);
        return std::string();
    });
}

std::vector<std::string> SavedScanners::addresses(const List& list)
{
    std::vector<std::string> result;
    for (const auto& entry : list.scanners) {
        result.push_back(entry.address);
    }
    return result;
}
