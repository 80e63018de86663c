#include "JobsCommand.h"

#include <algorithm>
#include <memory>

#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/SettingData.h"

#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobBundleCommands.h"
#include "JobJson.h"
#include "JobList.h"
#include "JobStoreMessage.h"
#include "JobValidator.h"
#include "LocalizedStrings.h"
#include "PasswordInput.h"
#include "UsageError.h"

namespace {
const CliArguments::Option kJson{"--json", false};

struct SettingOption {
    const char* option;
    const EnumExtensions& (*table)();
};

const SettingOption kSettingOptions[] = {
    {"--color", ColorModeTable},     {"--paper", PaperSizeTable},   {"--resolution", ResolutionTable},
    {"--surface", ReadingSurfaceTable}, {"--format", FileFormatTable}, {"--destination", DestinationTable},
};

std::vector<CliArguments::Option> jobOptions()
{
    std::vector<CliArguments::Option> options{{"--name", true}, {"--user", true}, {"--path", true},
                                              {"--share-password-stdin", false}};
    for (const SettingOption& setting : kSettingOptions) {
        options.push_back({setting.option, true});
    }
    return options;
}

// The keyword's position in its table, spelled exactly as there.
int64_t keywordValue(const std::string& option, const EnumExtensions& table, const std::string& keyword)
{
    const auto& keywords = table.keywords();
    const auto found = std::find(keywords.begin(), keywords.end(), keyword);
    if (found == keywords.end()) {
        std::string allowed;
        for (const auto& k : keywords) {
            allowed += (allowed.empty() ? "" : ", ") + k;
        }
        throw UsageError(LocalizedStrings::format("CliErrorInvalidKeyword", {keyword, option, allowed}));
    }
    return found - keywords.begin();
}

// Checks every setting option's keyword before anything is read or written.
void checkKeywords(const CliArguments& arguments)
{
    for (const SettingOption& setting : kSettingOptions) {
        if (const auto value = arguments.value(setting.option)) {
            keywordValue(setting.option, setting.table(), *value);
        }
    }
}

// Puts the given options into the job; false when the share password could not be read.
bool applyOptions(const CliArguments& arguments, SettingData& job)
{
    auto destination = job.sendSetting();
    if (!destination) {
        destination = std::make_shared<SendSetting>();
        job.setSendSetting(destination);
    }
    if (const auto name = arguments.value("--name")) {
        job.setJobName(*name);
    }
    const auto setting = [&](const char* option) -> std::optional<int64_t> {
        for (const SettingOption& candidate : kSettingOptions) {
            if (std::string(candidate.option) == option) {
                if (const auto value = arguments.value(option)) {
                    return keywordValue(option, candidate.table(), *value);
                }
            }
        }
        return std::nullopt;
    };
    if (const auto v = setting("--color")) {
        job.setColorMode(*v);
    }
    if (const auto v = setting("--paper")) {
        job.setPaperSize(*v);
    }
    if (const auto v = setting("--resolution")) {
        job.setResolution(*v);
    }
    if (const auto v = setting("--surface")) {
        job.setReadingSurface(*v);
    }
    if (const auto v = setting("--format")) {
        job.setFileFormat(*v);
    }
    if (const auto v = setting("--destination")) {
        job.sendSetting()->setDestinationType(*v);
    }
    if (const auto user = arguments.value("--user")) {
        destination->setUserName(*user);
    }
    if (const auto path = arguments.value("--path")) {
        destination->setSendPath(*path);
    }
    if (arguments.has("--share-password-stdin")) {
        const auto password = PasswordInput::read(LocalizedStrings::text("CliSharePasswordPrompt"));
        if (!password) {
            CliOutput::error(LocalizedStrings::text("CliErrorPasswordInput"));
            return false;
        }
        destination->setPassword(*password);
    }
    return true;
}

// Validates with the editor's rules and messages, and saves.
int validateAndSave(const std::shared_ptr<SettingData>& job)
{
    if (!JobValidator::Check(*job)) {
        return ExitStatus::Failure; // the message has been shown on standard error
    }
    if (const StoreOutcome outcome = SettingData::SaveSettingsWithOutcome(job); !outcome.succeeded()) {
        CliOutput::error(JobStoreMessage::saveFailed(job->jobNo().value_or(""), outcome));
        return ExitStatus::Failure;
    }
    return ExitStatus::Success;
}

int noSuchJob(int64_t number)
{
    CliOutput::error(LocalizedStrings::format("CliErrorNoSuchJob", {std::to_string(number)}));
    return ExitStatus::Failure;
}

std::string keywordText(const EnumExtensions& table, int64_t value)
{
    return LocalizedStrings::text(table.stringFromEnum(value).value_or(""));
}

int list(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {kJson});
    arguments.allowNoMorePositionals(0);
    const auto jobs = JobList::load();
    if (arguments.has("--json")) {
        nlohmann::json array = nlohmann::json::array();
        for (const auto& job : jobs) {
            array.push_back(JobJson::job(*job));
        }
        CliOutput::json(array);
        return ExitStatus::Success;
    }
    for (const auto& job : jobs) {
        CliOutput::line(CliOutput::printable(job->jobNo().value_or("")) + "\t" +
                        CliOutput::printable(job->jobName()));
    }
    return ExitStatus::Success;
}

int show(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {kJson});
    arguments.requirePositionals(1, {"N"});
    arguments.allowNoMorePositionals(1);
    const int64_t number = CliArguments::jobNumber(arguments.positionals()[0]);
    if (!JobList::hasJobFile(number)) {
        return noSuchJob(number);
    }
    const auto job = SettingData::ReadSettings(number);
    if (arguments.has("--json")) {
        CliOutput::json(JobJson::job(*job));
        return ExitStatus::Success;
    }
    const auto destination = job->sendSetting();
    const auto row = [](const char* labelKey, const std::string& value) {
        CliOutput::line(LocalizedStrings::text(labelKey) + ": " + CliOutput::printable(value));
    };
    row("LabelJobNo", job->jobNo().value_or(""));
    row("LabelJob", job->jobName());
    row("ColorMode", keywordText(ColorModeTable(), job->colorMode()));
    row("PaperSize", keywordText(PaperSizeTable(), job->paperSize()));
    row("Resolution", keywordText(ResolutionTable(), job->resolution()));
    row("ReadingSurface", keywordText(ReadingSurfaceTable(), job->readingSurface()));
    row("FileFormat", keywordText(FileFormatTable(), job->fileFormat()));
    row("SendSetting", keywordText(DestinationTable(), destination ? destination->destinationType() : 0));
    row("LabelUser", destination ? destination->userName() : "");
    row("LabelSendPath", destination ? destination->sendPath() : "");
    return ExitStatus::Success;
}

int add(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, jobOptions());
    arguments.allowNoMorePositionals(0);
    checkKeywords(arguments);
    const auto job = JobList::newStoredJob();
    if (!job) {
        CliOutput::error(LocalizedStrings::text("ErrorJobFull"));
        return ExitStatus::Failure;
    }
    if (!applyOptions(arguments, *job)) {
        return ExitStatus::Failure;
    }
    const int status = validateAndSave(job);
    if (status == ExitStatus::Success) {
        CliOutput::line(job->jobNo().value_or(""));
    }
    return status;
}

int edit(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, jobOptions());
    arguments.requirePositionals(1, {"N"});
    arguments.allowNoMorePositionals(1);
    const int64_t number = CliArguments::jobNumber(arguments.positionals()[0]);
    checkKeywords(arguments);
    if (!JobList::hasJobFile(number)) {
        return noSuchJob(number);
    }
    const auto job = SettingData::ReadSettings(number);
    // The job stays in its own file, whatever number a damaged file carries inside.
    job->setJobNo(std::to_string(number));
    if (!applyOptions(arguments, *job)) {
        return ExitStatus::Failure;
    }
    return validateAndSave(job);
}

int remove(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--all", false}});
    std::vector<int64_t> numbers;
    if (arguments.has("--all")) {
        arguments.allowNoMorePositionals(0);
        numbers = SettingData::GetFileListNo();
    } else {
        arguments.requirePositionals(1, {"N"});
        for (const std::string& text : arguments.positionals()) {
            numbers.push_back(CliArguments::jobNumber(text));
        }
    }
    int status = ExitStatus::Success;
    for (const int64_t number : numbers) {
        if (!JobList::hasJobFile(number)) {
            status = noSuchJob(number);
            continue;
        }
        if (const StoreOutcome outcome = SettingData::DeleteSettingsWithOutcome(number); !outcome.succeeded()) {
            CliOutput::error(JobStoreMessage::removeFailed(std::to_string(number), outcome));
            status = ExitStatus::Failure;
        }
    }
    return status;
}
} // namespace

int JobsCommand::run(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        throw UsageError(
            LocalizedStrings::format("CliErrorMissingArgument", {"list|show|add|edit|rm|export|import"}));
    }
    const std::string& verb = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (verb == "list") {
        return list(rest);
    }
    if (verb == "show") {
        return show(rest);
    }
    if (verb == "add") {
        return add(rest);
    }
    if (verb == "edit") {
        return edit(rest);
    }
    if (verb == "rm") {
        return remove(rest);
    }
    if (verb == "export") {
        return JobBundleCommands::exportJobs(rest);
    }
    if (verb == "import") {
        return JobBundleCommands::importJobs(rest);
    }
    throw UsageError(LocalizedStrings::format("CliErrorUnknownCommand", {"jobs " + verb}));
}
