#pragma once

#include <string>

#include "FWKVXSDK/StoreOutcome.h"

// What the user is told when the job store could not save or remove a job:
// which job, and why ("Job 7 could not be saved: No space left on device.").
class JobStoreMessage {
public:
    static std::string saveFailed(const std::string& jobNo, const StoreOutcome& outcome);
    static std::string removeFailed(const std::string& jobNo, const StoreOutcome& outcome);
};
