#pragma once

#include <cstdint>
#include <string>

#include "FWKVXSDK/AtomicProperty.h"
#include "FWKVXSDK/FWKVXSDKExport.h"

// Where a job's scanned file goes: a shared network folder (reached with a user
// name, password and path) or the scanner's own storage.
class FWKVXSDK_EXPORT SendSetting {
public:
    SendSetting() = default;

    int64_t destinationType() const { return mDestinationType.get(); }
    void setDestinationType(int64_t value) { mDestinationType.set(value); }
    std::string userName() const { return mUserName.get(); }
    void setUserName(std::string value) { mUserName.set(std::move(value)); }
    // Held and stored as plain text; never log it.
    std::string password() const { return mPassword.get(); }
    void setPassword(std::string value) { mPassword.set(std::move(value)); }
    std::string sendPath() const { return mSendPath.get(); }
    void setSendPath(std::string value) { mSendPath.set(std::move(value)); }

private:
    AtomicProperty<int64_t> mDestinationType{0};
    AtomicProperty<std::string> mUserName;
    AtomicProperty<std::string> mPassword;
    AtomicProperty<std::string> mSendPath;
};
