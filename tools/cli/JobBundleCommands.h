#pragma once

#include <string>
#include <vector>

// "vantix jobs export FILE [--with-passwords]" and
// "vantix jobs import FILE [--replace]": the whole job set in one bundle file
// (JobBundle), to carry it from one PC to others.
class JobBundleCommands {
public:
    static int exportJobs(const std::vector<std::string>& arguments);
    static int importJobs(const std::vector<std::string>& arguments);
};
