#include "JobBundle.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "FWKVXSDK/EnumExtensions.h"

#include "LocalizedStrings.h"
#include "VersionedJson.h"

namespace {
using Json = VersionedJson::Json;

constexpr const char* kFormat = "fernwick-vantix-jobs";
constexpr int64_t kHighestJobNo = 99;
// Deepest nesting of a bundle: root, job list, job, value.
constexpr int kDeepestLevel = 3;

struct Setting {
    const char* key;
    const EnumExtensions& (*table)();
    int64_t (*get)(const SettingData&);
    void (*set)(SettingData&, int64_t);
};

// The enumerated settings, in the order of the bundle's job objects.
const Setting kSettings[] = {
    {"colorMode", ColorModeTable, [](const SettingData& j) { return j.colorMode(); },
     [](SettingData& j, int64_t v) { j.setColorMode(v); }},
    {"paperSize", PaperSizeTable, [](const SettingData& j) { return j.paperSize(); },
     [](SettingData& j, int64_t v) { j.setPaperSize(v); }},
    {"resolution", ResolutionTable, [](const SettingData& j) { return j.resolution(); },
     [](SettingData& j, int64_t v) { j.setResolution(v); }},
    {"readingSurface", ReadingSurfaceTable, [](const SettingData& j) { return j.readingSurface(); },
     [](SettingData& j, int64_t v) { j.setReadingSurface(v); }},
    {"fileFormat", FileFormatTable, [](const SettingData& j) { return j.fileFormat(); },
     [](SettingData& j, int64_t v) { j.setFileFormat(v); }},
    {"destinationType", DestinationTable,
     [](const SettingData& j) { return j.sendSetting() ? j.sendSetting()->destinationType() : 0; },
     [](SettingData& j, int64_t v) { j.sendSetting()->setDestinationType(v); }},
};

const char* const kTopKeys[] = {"format", "version", "withPasswords", "jobs"};

Json jobObject(const SettingData& job, bool withPassword)
{
    const auto destination = job.sendSetting() ? job.sendSetting() : std::make_shared<SendSetting>();
    Json object = Json::object();
    object["jobNo"] = std::stoll(job.jobNo().value_or("0"));
    object["jobName"] = job.jobName();
    for (const Setting& setting : kSettings) {
        object[setting.key] = setting.table().stringFromEnum(setting.get(job)).value_or(std::string());
    }
    object["userName"] = destination->userName();
    if (withPassword) {
        object["password"] = destination->password();
    }
    object["sendPath"] = destination->sendPath();
    return object;
}

std::size_t replacements(std::string_view text)
{
    std::size_t count = 0;
    for (auto at = text.find("\xEF\xBF\xBD"); at != std::string_view::npos; at = text.find("\xEF\xBF\xBD", at + 1)) {
        ++count;
    }
    return count;
}

// The job file's document for a job that holds the text as its name: what the
// store would write of the text.
std::string storedForm(const std::string& text)
{
    auto probe = std::make_shared<SettingData>();
    probe->setJobName(text);
    return SettingData::XMLData(probe);
}

// Reads one bundle's document; every fault is a VersionedJson::Fault that
// names the place it was found.
class Reader {
public:
    JobBundle::Contents read(const Json& root) const
    {
        JobBundle::Contents contents;
        const Json& withPasswords = root.at("withPasswords");
        if (!withPasswords.is_boolean()) {
            damaged("/withPasswords");
        }
        contents.withPasswords = withPasswords.get<bool>();
        const Json& jobs = root.at("jobs");
        if (!jobs.is_array()) {
            damaged("/jobs");
        }
        std::set<int64_t> numbers;
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            auto job = readJob(jobs[i], contents.withPasswords, "/jobs/" + std::to_string(i));
            if (!numbers.insert(std::stoll(*job->jobNo())).second) {
                damaged("/jobs/" + std::to_string(i) + "/jobNo"); // the same number twice
            }
            contents.jobs.push_back(std::move(job));
        }
        return contents;
    }

private:
    [[noreturn]] static void damaged(const std::string& place) { VersionedJson::damaged(place); }

    // A text the job file keeps exactly: nothing that the file would have to
    // replace (control characters, U+FFFE, U+FFFF).
    std::string text(const Json& object, const std::string& key, const std::string& place) const
    {
        const Json& value = object.at(key);
        if (!value.is_string()) {
            damaged(place + "/" + key);
        }
        const auto& content = value.get_ref<const std::string&>();
        if (replacements(storedForm(content)) != replacements(content)) {
            damaged(place + "/" + key);
        }
        return content;
    }

    std::shared_ptr<SettingData> readJob(const Json& object, bool withPassword, const std::string& place) const
    {
        std::vector<std::string> keys{"jobNo", "jobName", "userName", "sendPath"};
        for (const Setting& setting : kSettings) {
            keys.emplace_back(setting.key);
        }
        if (withPassword) {
            keys.emplace_back("password");
        }
        VersionedJson::onlyMembers(object, keys, place);

        auto job = std::make_shared<SettingData>();
        const Json& number = object.at("jobNo");
        if (!number.is_number_integer() || number.get<int64_t>() < 1 || number.get<int64_t>() > kHighestJobNo) {
            damaged(place + "/jobNo");
        }
        job->setJobNo(std::to_string(number.get<int64_t>()));
        job->setJobName(text(object, "jobName", place));
        for (const Setting& setting : kSettings) {
            const auto& keywords = setting.table().keywords();
            const std::string keyword = text(object, setting.key, place);
            const auto found = std::find(keywords.begin(), keywords.end(), keyword);
            if (found == keywords.end()) {
                damaged(place + "/" + setting.key);
            }
            setting.set(*job, found - keywords.begin());
        }
        job->sendSetting()->setUserName(text(object, "userName", place));
        job->sendSetting()->setSendPath(text(object, "sendPath", place));
        if (withPassword) {
            job->sendSetting()->setPassword(text(object, "password", place));
        }
        return job;
    }
};
} // namespace

std::string JobBundle::write(const std::vector<std::shared_ptr<SettingData>>& jobs, bool withPasswords)
{
    Json root = Json::object();
    root["format"] = kFormat;
    root["version"] = kVersion;
    root["withPasswords"] = withPasswords;
    root["jobs"] = Json::array();
    for (const auto& job : jobs) {
        root["jobs"].push_back(jobObject(*job, withPasswords));
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

JobBundle::Contents JobBundle::read(const std::string& bytes, const std::string& name)
{
    using Fault = VersionedJson::Fault;
    try {
        const Json root = VersionedJson::read(bytes, kFormat, kVersion,
                                              std::vector<std::string>(std::begin(kTopKeys), std::end(kTopKeys)),
                                              kDeepestLevel);
        return Reader().read(root);
    } catch (const Fault& fault) {
        switch (fault.kind) {
        case Fault::Kind::Syntax:
            throw Refused(LocalizedStrings::format("CliErrorBundleSyntax", {name, fault.detail}));
        case Fault::Kind::Foreign:
            throw Refused(LocalizedStrings::format("CliErrorBundleNotBundle", {name}));
        case Fault::Kind::Newer:
            throw Refused(
                LocalizedStrings::format("CliErrorBundleNewer", {name, fault.detail, std::to_string(kVersion)}));
        case Fault::Kind::Damaged:
            break;
        }
        throw Refused(LocalizedStrings::format("CliErrorBundleDamaged", {name, fault.detail}));
    }
}
