#include "JobJson.h"

#include "FWKVXSDK/EnumExtensions.h"

namespace {
nlohmann::json keyword(const EnumExtensions& table, int64_t value)
{
    const auto found = table.stringFromEnum(value);
    return found ? nlohmann::json(*found) : nlohmann::json(nullptr);
}
} // namespace

nlohmann::json JobJson::text(const std::optional<std::string>& text)
{
    return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

nlohmann::json JobJson::job(const SettingData& job)
{
    const auto destination = job.sendSetting();
    nlohmann::json result = nlohmann::json::object();
    result["jobNo"] = text(job.jobNo());
    result["jobName"] = job.jobName();
    result["colorMode"] = keyword(ColorModeTable(), job.colorMode());
    result["paperSize"] = keyword(PaperSizeTable(), job.paperSize());
    result["resolution"] = keyword(ResolutionTable(), job.resolution());
    result["readingSurface"] = keyword(ReadingSurfaceTable(), job.readingSurface());
    result["fileFormat"] = keyword(FileFormatTable(), job.fileFormat());
    result["destinationType"] = keyword(DestinationTable(), destination ? destination->destinationType() : 0);
    result["userName"] = destination ? destination->userName() : std::string();
    result["sendPath"] = destination ? destination->sendPath() : std::string();
    return result;
}

nlohmann::json JobJson::identifier(const std::optional<JsonIdentifier>& identifier)
{
    if (!identifier) {
        return nullptr;
    }
    if (identifier->isNumber) {
        // The decimal text of an integer the scanner sent; given back as that integer.
        const auto parsed = nlohmann::json::parse(identifier->text, nullptr, false);
        if (parsed.is_number_integer()) {
            return parsed;
        }
    }
    return identifier->text;
}
