#pragma once

#include <string>

#include "JobBundleTransfer.h"

// The job set an administrator prepares for every account on a computer: the
// bundle fernwick-vantix/jobs.json in the system configuration folders
// (ConfigFolders::systemFile), imported once, when the job folder is made.
class PresetJobs {
public:
    static constexpr const char* kFileName = "jobs.json";

    struct Start {
        bool folderReady = false; // the job folder exists
        bool presetFound = false; // this start made the folder and found a preset bundle
        bool imported = false;    // ... and imported it
        // What happened to the preset bundle, in the user's language; empty when none was found.
        std::string report;
    };

    // At the start of the application and of the tool's job commands, in place
    // of JobFolder::ensureExists: a missing job folder is made, and then filled
    // from the preset bundle, if there is one, with every check of a bundle
    // import (a refused bundle imports nothing). A job folder that exists,
    // even an empty one, is left as it is.
    static Start prepareJobFolder(JobBundleTransfer::Audience audience);
};
