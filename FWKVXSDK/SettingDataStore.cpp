// The job store: the class operations of SettingData that keep one XML file
// per job, "Job-<number>.xml", flat in the job folder.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>

#include "FWKVXSDK/AtomicFile.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobXmlWriter.h"
#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/UserFolders.h"
#include "FWKVXSDK/XMLDictionary.h"
#include "FWKVXSDK/XMLTODictionaryParser.h"

namespace {

constexpr std::string_view kFilePrefix = "Job-";
constexpr std::string_view kFileExtension = "xml";

std::string joinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

std::string fileName(std::string_view number)
{
    std::string name(kFilePrefix);
    name += number;
    name += '.';
    name += kFileExtension;
    return name;
}

// The number exactly as the job list writes it: decimal digits, no sign, no
// leading zero, within range. Only such a number names a file that the listing
// reports and reading by number finds again.
bool isCanonicalNumber(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::to_string(value) == text;
}

// The job number a directory entry stands for, if it is a job file.
std::optional<int64_t> numberOfEntry(std::string_view name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.substr(dot + 1) != kFileExtension) {
        return std::nullopt;
    }
    std::string_view stem = name.substr(0, dot);
    if (stem.substr(0, kFilePrefix.size()) != kFilePrefix) {
        return std::nullopt; // not a file the store wrote
    }
    std::string digits(stem.substr(kFilePrefix.size()));
    if (digits.empty()) {
        return 0; // "Job-.xml": a job saved without a number
    }
    // Read the number the way the name's digits have always been read, then
    // keep it only when the name is exactly the one reading by number opens:
    // "Job-012.xml" or "Job- 5.xml" would otherwise list a job nobody finds.
    errno = 0;
    long long value = std::strtoll(digits.c_str(), nullptr, 10);
    if (errno != 0 || std::to_string(value) != digits) {
        return std::nullopt;
    }
    return static_cast<int64_t>(value);
}

bool isRegularFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> textOf(const XMLDict& node, std::string_view key)
{
    const XMLValue* value = node.find(key);
    if (value != nullptr && value->isString()) {
        return *value->string();
    }
    // A text whose element keeps its white space (see credentialElement).
    if (const auto element = value != nullptr ? value->dict() : nullptr; element && element->contains("_xml:space")) {
        return XMLDictionary::innerText(*element);
    }
    return std::nullopt; // missing, or a shape only a tampered file has
}

// White space at either end of a user name or password is part of the
// credential. The reader trims every text unless its element carries
// xml:space="preserve", so exactly the values that need the mark get it: other
// files are written byte for byte as before, and files without the mark read
// as they always did.
void credentialElement(JobXmlWriter& writer, std::string_view name, const std::string& text)
{
    if (XMLTODictionaryParser::trimmedText(text) == text) {
        writer.textElement(name, text);
    } else {
        writer.textElement(name, text, {{"xml:space", "preserve"}});
    }
}

} // namespace

std::string SettingData::userAppRootFolderPath()
{
    return UserFolders::path("XDG_DATA_HOME", ".local/share");
}

std::vector<int64_t> SettingData::GetFileListNo()
{
    std::vector<int64_t> numbers;
    const std::string folder = userAppRootFolderPath();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return numbers;
    }
    while (const struct dirent* entry = ::readdir(dir)) {
        auto number = numberOfEntry(entry->d_name);
        if (!number) {
            continue;
        }
        // A directory or device of that name is no job; a link is followed,
        // as reading the job follows it.
        if (entry->d_type != DT_REG && !isRegularFile(joinPath(folder, entry->d_name))) {
            continue;
        }
        numbers.push_back(*number);
    }
    ::closedir(dir);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::shared_ptr<SettingData> SettingData::ReadSettings(int64_t number)
{
    auto job = std::make_shared<SettingData>();
    const std::string path = joinPath(userAppRootFolderPath(), fileName(std::to_string(number)));
    if (!isRegularFile(path)) {
        return job; // no job of that number: jobNo stays ""
    }
    auto root = XMLDictionary::dictionaryWithXMLFile(path);
    job->setJobNo(root ? textOf(*root, "JobNo") : std::nullopt);
    if (!root) {
        return job;
    }
    job->setJobName(textOf(*root, "JobName").value_or(std::string()));
    job->setColorMode(ColorModeTable().enumFromString(textOf(*root, "ColorMode")));
    job->setPaperSize(PaperSizeTable().enumFromString(textOf(*root, "PaperSize")));
    job->setResolution(ResolutionTable().enumFromString(textOf(*root, "Resolution")));
    job->setFileFormat(FileFormatTable().enumFromString(textOf(*root, "FileFormat")));
    job->setReadingSurface(ReadingSurfaceTable().enumFromString(textOf(*root, "ReadingSurface")));
    if (const XMLValue* value = root->find("SendSetting")) {
        // Present but not a node (only in a tampered file) reads like a node
        // with nothing in it, which equals the defaults.
        XMLDict empty;
        auto node = value->dict();
        const XMLDict& sendNode = node ? *node : empty;
        auto& send = *job->sendSetting();
        send.setDestinationType(DestinationTable().enumFromString(textOf(sendNode, "DestinationType")));
        send.setUserName(textOf(sendNode, "UserName").value_or(std::string()));
        send.setPassword(textOf(sendNode, "Password").value_or(std::string()));
        send.setSendPath(textOf(sendNode, "SendPath").value_or(std::string()));
    }
    return job;
}

void SettingData::SaveSettings(const std::shared_ptr<SettingData>& job)
{
    SaveSettingsWithOutcome(job);
}

void SettingData::DeleteSettings(int64_t number)
{
    DeleteSettingsWithOutcome(number);
}

StoreOutcome SettingData::SaveSettingsWithOutcome(const std::shared_ptr<SettingData>& job)
{
    if (!job) {
        return {EINVAL};
    }
    const std::string number = job->jobNo().value_or(std::string());
    // Anything but the job list's own numbering could name a path outside the
    // job folder, or a file the listing never reports: such a job is not saved.
    if (!number.empty() && !isCanonicalNumber(number)) {
        return {EINVAL};
    }
    std::error_code failure;
    AtomicFile::write(joinPath(userAppRootFolderPath(), fileName(number)), XMLData(job), 0600, &failure);
    return {failure.value()};
}

StoreOutcome SettingData::DeleteSettingsWithOutcome(int64_t number)
{
    const std::string path = joinPath(userAppRootFolderPath(), fileName(std::to_string(number)));
    // No file of that number: there is nothing left to remove.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return {errno};
    }
    return {};
}

std::string SettingData::XMLData(const std::shared_ptr<SettingData>& job)
{
    const auto record = job ? job : std::make_shared<SettingData>();
    auto send = record->sendSetting();
    if (!send) {
        send = std::make_shared<SendSetting>();
    }
    // A value outside its table has no keyword and is written empty.
    auto keyword = [](const EnumExtensions& table, int64_t value) {
        return table.stringFromEnum(value).value_or(std::string());
    };

    JobXmlWriter writer;
    writer.startElement("SettingData", {{"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"},
                                        {"xmlns:xsd", "http://www.w3.org/2001/XMLSchema"}});
    writer.textElement("JobNo", record->jobNo().value_or(std::string()));
    writer.textElement("JobName", record->jobName());
    writer.textElement("ColorMode", keyword(ColorModeTable(), record->colorMode()));
    writer.textElement("PaperSize", keyword(PaperSizeTable(), record->paperSize()));
    writer.textElement("Resolution", keyword(ResolutionTable(), record->resolution()));
    writer.textElement("ReadingSurface", keyword(ReadingSurfaceTable(), record->readingSurface()));
    writer.textElement("FileFormat", keyword(FileFormatTable(), record->fileFormat()));
    writer.startElement("SendSetting");
    writer.textElement("DestinationType", keyword(DestinationTable(), send->destinationType()));
    credentialElement(writer, "UserName", send->userName());
    credentialElement(writer, "Password", send->password());
    writer.textElement("SendPath", send->sendPath());
    writer.endElement();
    writer.endElement();
    return writer.document();
}
