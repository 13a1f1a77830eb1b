// bench_driver: runs Ravo.exe and the baseline programs beside it through
// the benchmark scenarios and prints one tab-separated line per figure
// (medians over the runs); scripts/bench turns them into the table.
//
//   bench_driver [--quick] [--values] [--runs N] [--warmups N] [--keys N]
//                [--bursts N] [--uses N] [--idle SECONDS] [--only startup,panel,burst,idle,evaluate]
// --values also prints every single measurement.
#include "Journal.h"
#include "Keys.h"
#include "Scenarios.h"
#include "Stats.h"
#include "Subject.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: bench_driver [--quick] [--values] [--runs N] [--warmups N] [--keys N] "
                 "[--bursts N] [--uses N] [--idle SECONDS] [--only startup,panel,burst,idle,evaluate]\n");
    return 2;
}

bool Selected(const std::string& only, const char* name)
{
    if (only.empty())
        return true;
    const std::string list = "," + only + ",";
    return list.find("," + std::string(name) + ",") != std::string::npos;
}

// The figure that an option taking a number sets; NULL for other options.
int BenchOptions::*NumberOption(const std::string& arg)
{
    static const struct {
        const char* name;
        int BenchOptions::*field;
    } table[] = {
        { "--runs", &BenchOptions::runs },      { "--warmups", &BenchOptions::warmups },
        { "--keys", &BenchOptions::burstKeys }, { "--bursts", &BenchOptions::bursts },
        { "--uses", &BenchOptions::uses },      { "--idle", &BenchOptions::idleSeconds },
    };
    for (const auto& option : table) {
        if (arg == option.name)
            return option.field;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchOptions options;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--quick") {
            options.runs = 5;
            options.warmups = 1;
            options.bursts = 2;
            options.uses = 3;
            options.idleSeconds = 5;
        } else if (arg == "--values") {
            g_printValues = true;
        } else if (int BenchOptions::*field = NumberOption(arg); field != nullptr && hasValue) {
            options.*field = std::atoi(argv[++i]);
        } else if (arg == "--only" && hasValue) {
            only = argv[++i];
        } else {
            return Usage();
        }
    }
    if (options.runs < 1 || options.warmups < 0 || options.burstKeys < 2 ||
        options.bursts < 1 || options.uses < 0 || options.idleSeconds < 1)
        return Usage();

    // A register of the benchmark's own, inherited by every program started.
    ::SetEnvironmentVariableA("RAVO_OBRA_INSTANCE", "bench");
    CJournal journal;
    if (!journal.IsOpen()) {
        std::fprintf(stderr, "bench_driver: the simulated firmware could not be opened\n");
        return 1;
    }
    if (::FindWindowA(RAVO.windowClass, nullptr) != nullptr) {
        std::fprintf(stderr, "bench_driver: a copy of Ravo is already running here\n");
        return 1;
    }
    std::printf("config\truns=%d\twarmups=%d\tkeys=%d\tbursts=%d\tuses=%d\tidle=%d\n",
                options.runs, options.warmups, options.burstKeys, options.bursts, options.uses,
                options.idleSeconds);
    std::fflush(stdout);

    if (Selected(only, "startup"))
        BenchStartup(options, journal);
    if (Selected(only, "panel"))
        BenchPanel(options, journal);
    if (Selected(only, "burst")) {
        CKeySink sink;
        BenchKeyBurst(options, journal, sink);
    }
    if (Selected(only, "idle"))
        BenchIdle(options, journal);
    if (Selected(only, "evaluate"))
        BenchEvaluate(options);
    journal.Reset();
    return 0;
}
