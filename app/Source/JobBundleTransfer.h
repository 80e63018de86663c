#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The whole job set into one bundle file and back (JobBundle), with every check,
// refusal and message of the two: "vantix jobs export/import" and the
// application's "Export Jobs..." and "Import Jobs..." both run these.
class JobBundleTransfer {
public:
    // Who reads the messages: a hint names the tool's options and commands, or
    // the application's own controls.
    enum class Audience { Tool, Application };

    struct Outcome {
        bool succeeded = false;
        // The result or the refusal, in the user's language.
        std::string message;
        // Told beside it: jobs left out of a bundle, passwords a bundle did not carry.
        std::vector<std::string> notes;
        std::size_t jobs = 0; // exported or imported
    };

    // Writes the job folder's jobs to `path` as a whole; share passwords only
    // when withPasswords, and the file is then readable by its owner only.
    static Outcome exportJobs(const std::string& path, bool withPasswords, Audience audience);
    // Everything is checked before the first job file is written; a failure
    // half-way puts the job files back as they were. `replace` makes the job set
    // the bundle's; otherwise the bundle's jobs join the present ones.
    static Outcome importJobs(const std::string& path, bool replace, Audience audience);
    // Whether a stored job holds a shared folder password: only then is there
    // anything to decide about carrying passwords in a bundle.
    static bool anySharePassword();
};
