#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// The frame of the program's own small JSON files (job bundles, saved
// scanners): an object {"format": F, "version": N, ...} with exactly the
// members its version defines. Each reader turns a Fault into its own message.
class VersionedJson {
public:
    using Json = nlohmann::ordered_json;

    // What is wrong with a document.
    class Fault : public std::runtime_error {
    public:
        enum class Kind {
            Syntax,  // not JSON; detail: the byte where reading stopped
            Foreign, // not this format
            Newer,   // a later version of the format; detail: its version
            Damaged, // detail: the place (a JSON pointer) of the value missing, repeated, unexpected or not valid
        };
        Fault(Kind kind, std::string detail) : std::runtime_error(detail), kind(kind), detail(std::move(detail)) {}
        Kind kind;
        std::string detail;
    };

    // Parses the bytes and checks the frame: the format, a version from 1 to
    // `version` (a newer one is told as such, whatever its members), and then
    // the top-level members. Values nested deeper than `deepest` levels are
    // dropped while parsing, so a hostile file cannot build a deep tree; the
    // reader then finds them missing. Throws Fault.
    static Json read(const std::string& bytes, const char* format, int64_t version,
                     const std::vector<std::string>& members, int deepest);
    // Throws a Damaged fault unless the value is an object with exactly these members.
    static void onlyMembers(const Json& object, const std::vector<std::string>& members, const std::string& place);
    [[noreturn]] static void damaged(const std::string& place);
};
