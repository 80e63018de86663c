#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FWKVXSDK/SettingData.h"

// A job bundle: the whole job set in one JSON file, to carry it from one PC to
// others. The format is versioned and described in the README:
//   {"format":"fernwick-vantix-jobs","version":1,"withPasswords":false,
//    "jobs":[{"jobNo":1,"jobName":...,"colorMode":"Color",...,"sendPath":...}]}
// The same job set always gives the same bytes.
class JobBundle {
public:
    static constexpr int64_t kVersion = 1;
    static constexpr std::size_t kMaximumSize = 1024 * 1024;

    // The bundle cannot be read; the message (in the user's language) says why.
    class Refused : public std::runtime_error {
    public:
        explicit Refused(const std::string& message) : std::runtime_error(message) {}
    };

    struct Contents {
        bool withPasswords = false;
        // Every job carries its number as canonical decimal text 1 to 99, no number twice.
        std::vector<std::shared_ptr<SettingData>> jobs;
    };

    // The bundle of the jobs, in the order given; share passwords only when
    // withPasswords. Each job's jobNo must be its number 1 to 99.
    static std::string write(const std::vector<std::shared_ptr<SettingData>>& jobs, bool withPasswords);

    // The jobs of a bundle file's bytes; `name` is the file as the user gave it,
    // for the messages. Throws Refused for a file of a newer format version and
    // for anything that is not a well-formed bundle of version 1 (damaged),
    // including texts that a job file cannot hold unchanged.
    static Contents read(const std::string& bytes, const std::string& name);
};
