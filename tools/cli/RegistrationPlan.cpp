#include "RegistrationPlan.h"

#include <memory>

#include "FWKVXSDK/BulkJobStatus.h"
#include "FWKVXSDK/SettingData.h"

#include "CliOutput.h"
#include "JobRegistration.h"
#include "LocalizedStrings.h"
#include "ProgressText.h"

void RegistrationPlan::print(const std::vector<std::string>& addresses, bool json, bool withAddress)
{
    // The store is read once: every scanner gets the same job set.
    std::vector<std::shared_ptr<SettingData>> slots;
    for (int64_t number = JobRegistration::kFirstJobNo; number <= JobRegistration::kLastJobNo; ++number) {
        slots.push_back(JobRegistration::jobForSlot(number));
    }
    const std::string registerText = LocalizedStrings::text("RegistJob");
    const std::string clearText = LocalizedStrings::text("MenuDelete");
    for (const std::string& address : addresses) {
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const auto& job = slots[i];
            const int64_t number = JobRegistration::kFirstJobNo + static_cast<int64_t>(i);
            if (json) {
                nlohmann::json line{{"scannerIp", address}, {"jobNo", number}, {"action", job ? "register" : "clear"}};
                if (job) {
                    line["jobName"] = job->jobName();
                }
                CliOutput::json(line);
                continue;
            }
            BulkJobStatus item;
            item.setJobNo(number);
            item.setRequest(job ? registerText : clearText);
            std::string text = ProgressText::forSlot(item);
            if (job) {
                text += "\t" + CliOutput::printable(job->jobName());
            }
            CliOutput::line(withAddress ? address + "\t" + text : text);
        }
    }
}
