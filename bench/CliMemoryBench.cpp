// Peak memory (maximum resident set size) of the vantix tool for each kind of
// command, measured with wait4's resource usage of the child, against a local
// simulated scanner. Run inside a private network namespace:
//   tests/netns-run.sh build/normal/bench/cli_memory_bench
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "SimulatorProcess.h"
#include "ToolRun.h"

namespace {
ToolRun runTool(const std::vector<std::string>& arguments, const std::string& input)
{
    return ToolRun::run(VANTIX_CLI_PATH, arguments, input);
}
} // namespace

int main()
{
    constexpr long kLimitKiB = 20 * 1024;
    std::string folder = (std::filesystem::temp_directory_path() / "vantix-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return 1;
    }
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (folder + "/config-system").c_str(), 1);

    // One scanner for the single-scanner commands, three for bulk registration
    // (a scanner may be listed only once).
    SimulatorProcess sim({"--scanner", "ip=127.0.0.2,password=pw,model=M1,name=bench,serial=1", "--fleet", "2",
                          "--fleet-keys", "password=pw"});
    if (!sim.ready()) {
        std::fprintf(stderr, "simulator not ready: %s\n", sim.failure().c_str());
        return 1;
    }
    const std::string targets = folder + "/targets.txt";
    std::FILE* file = std::fopen(targets.c_str(), "w");
    std::fputs("127.0.0.2 pw\n127.0.0.3 pw\n127.0.0.4 pw\n", file);
    std::fclose(file);
    std::filesystem::permissions(targets, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    struct Case {
        const char* label;
        std::vector<std::string> arguments;
        std::string input;
    };
    // Nine jobs in the store first; adding the tenth is measured.
    for (int i = 0; i < 9; ++i) {
        runTool({"jobs", "add", "--path", "\\\\srv\\scans"}, "");
    }
    std::vector<Case> cases{{"jobs add", {"jobs", "add", "--path", "\\\\srv\\scans"}, ""}};
    cases.push_back({"jobs list --json", {"jobs", "list", "--json"}, ""});
    cases.push_back({"identify", {"identify", "127.0.0.2"}, ""});
    cases.push_back({"register", {"register", "--scanner", "127.0.0.2"}, "pw\n"});
    cases.push_back({"register --json", {"register", "--scanner", "127.0.0.2", "--json"}, "pw\n"});
    cases.push_back({"bulk-register (3 runs)", {"bulk-register", "--targets", targets}, ""});
    cases.push_back({"bulk-register, 3 at once", {"bulk-register", "--targets", targets, "--parallel", "3"}, ""});
    cases.push_back({"scan", {"scan", "--scanner", "127.0.0.2", "--job", "1"}, ""});
    cases.push_back({"discover", {"discover"}, ""});

    long peak = 0;
    bool allSucceeded = true;
    for (const Case& c : cases) {
        const ToolRun m = runTool(c.arguments, c.input);
        peak = std::max(peak, m.maxRssKiB);
        allSucceeded = allSucceeded && m.status == 0;
        std::printf("%-24s exit %d  %6.2f s  peak RSS %6.1f MiB\n", c.label, m.status, m.seconds,
                    m.maxRssKiB / 1024.0);
    }
    std::printf("peak RSS over all commands: %.1f MiB (limit %.1f MiB)\n", peak / 1024.0, kLimitKiB / 1024.0);
    std::filesystem::remove_all(folder);
    const bool ok = allSucceeded && peak < kLimitKiB;
    std::printf("%s\n", ok ? "OK" : "OVER LIMIT OR FAILED");
    return ok ? 0 : 1;
}
