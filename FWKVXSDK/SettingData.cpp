#include "FWKVXSDK/SettingData.h"

SettingData::SettingData() : mSendSetting(std::make_shared<SendSetting>()) {}

std::shared_ptr<SettingData> SettingData::initWithData(const SettingData& source)
{
    auto copy = std::make_shared<SettingData>();
    copy->setJobNo(source.jobNo());
    copy->setJobName(source.jobName());
    copy->setColorMode(source.colorMode());
    copy->setPaperSize(source.paperSize());
    copy->setResolution(source.resolution());
    copy->setReadingSurface(source.readingSurface());
    copy->setFileFormat(source.fileFormat());
    if (auto from = source.sendSetting()) {
        auto& to = *copy->sendSetting();
        to.setDestinationType(from->destinationType());
        to.setUserName(from->userName());
        to.setPassword(from->password());
        to.setSendPath(from->sendPath());
    }
    return copy;
}
