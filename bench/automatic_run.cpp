// How fast and how punctual an automatic run is: the real program started as "/a" with a disc
// whose DSM holds 24 clicks of mixed waits, the stand-in player as the player program.
//
//   automatic_run [RUNS]          (default 5; needs the simulated disc 1A2B3C4D, see
//   automatic_run.sh)
//
// Per run it takes, from the stand-in player's log (the performance counter, shared with this
// program): the time from starting the program to the player's start and to the first press,
// each later press's lateness against its due time (the press before it plus its wait, as the
// click timer schedules it), and the drift of the last press against the first plus all waits.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "macro/macro_waits.h"
#include "win32/plugin_fakeplayer.h"

namespace {

using namespace spindrel;

struct Click {
    const char* wait;
    const char* button;
};

// Mixed waits from a tenth of a second to more than a second (a DSM keeps one decimal); the
// names are Wyvernel's.
constexpr Click kClicks[] = {
    {"1.0", "Next"}, {"0.5", "Down"},  {"0.3", "Down"}, {"0.2", "Up"},         {"0.1", "Right"},
    {"0.7", "Left"}, {"0.4", "Down"},  {"1.2", "Up"},   {"0.1", "Next"},       {"0.6", "Right"},
    {"0.3", "Left"}, {"0.9", "Down"},  {"0.2", "Up"},   {"0.8", "Next"},       {"0.1", "Down"},
    {"0.5", "Up"},   {"0.3", "Right"}, {"0.4", "Left"}, {"1.1", "Down"},       {"0.2", "Up"},
    {"0.6", "Next"}, {"0.1", "Down"},  {"0.3", "Up"},   {"0.5", "Ok / Enter"},
};
constexpr int kClickCount = static_cast<int>(sizeof kClicks / sizeof kClicks[0]);

// The click timer's interval for a wait: a thousand times the number, truncated (0.3 gives 299).
int intervalMs(const char* wait) {
    return static_cast<int>(std::atof(wait) * 1000);
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Nearest rank: the smallest value that at least p percent of the values do not exceed.
double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    std::size_t rank = static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size()) + 0.999999);
    rank = std::clamp<std::size_t>(rank, 1, values.size());
    return values[rank - 1];
}

double maximum(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

void closePlayers() {
    e2e::closeProcessesOfWindow("PlayWnd", "Creative PC-DVD Player");
}

struct Run {
    double toLaunchMs = 0;
    double toFirstPressMs = 0;
    std::vector<double> latenessMs;
    double driftMs = 0;
};

bool runOnce(const e2e::Installation& install, const testing::TempFile& log, Run& run) {
    DeleteFileA(log.path().c_str());
    const long long started = testing::nowUs();
    e2e::Process program(install.path("DVD_Spindrel.exe"), "/a", install.folder());
    if (!program.waitForExit(60000)) {
        std::fprintf(stderr, "the run did not end within a minute\n");
        return false;
    }
    const std::vector<testing::TimedLine> lines = testing::readTimedLog(log.path());
    closePlayers();
    long long launched = 0;
    for (const auto& line : lines) {
        if (line.text.rfind("start as", 0) == 0)
            launched = line.us;
    }
    const std::vector<testing::Press> presses = testing::pressesIn(lines);
    if (launched == 0 || static_cast<int>(presses.size()) != kClickCount) {
        std::fprintf(stderr, "the player got %zu presses of %d%s:\n", presses.size(), kClickCount,
                     launched == 0 ? " and never started" : "");
        for (const testing::Press& press : presses) {
            std::fprintf(stderr, "  %lld %s\n", press.us - started,
                         testing::describe(press.message).c_str());
        }
        return false;
    }
    run.toLaunchMs = static_cast<double>(launched - started) / 1000.0;
    run.toFirstPressMs = static_cast<double>(presses[0].us - started) / 1000.0;
    long long allWaitsUs = 0;
    for (int i = 1; i < kClickCount; ++i) {
        const long long dueUs =
            presses[static_cast<std::size_t>(i) - 1].us + intervalMs(kClicks[i].wait) * 1000LL;
        run.latenessMs.push_back(
            static_cast<double>(presses[static_cast<std::size_t>(i)].us - dueUs) / 1000.0);
        allWaitsUs += intervalMs(kClicks[i].wait) * 1000LL;
        // The stragglers, for whoever hunts them.
        if (run.latenessMs.back() > 5.0) {
            std::printf(
                "    click %d (%s,%s) %.1f ms late, %.1f s into the macro\n", i + 1,
                kClicks[i].wait, kClicks[i].button, run.latenessMs.back(),
                static_cast<double>(presses[static_cast<std::size_t>(i)].us - presses[0].us) / 1e6);
        }
    }
    run.driftMs = static_cast<double>(presses.back().us - presses.front().us - allWaitsUs) / 1000.0;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    e2e::Installation install;
    CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    {
        std::ofstream dsm(install.path("dsm\\1a2b3c4d.dsm"), std::ios::binary);
        dsm << "#Timing benchmark: 24 clicks\r\n";
        for (const Click& click : kClicks)
            dsm << click.wait << ',' << click.button << "\r\n";
    }
    e2e::resetSettings("Wyvernel.dll");
    e2e::setSettingString("PCDVD", testing::fakePlayerPath());
    testing::TempFile log("bench_player");
    testing::ScopedEnvironment options("SPINDREL_FAKEPLAYER",
                                       "--as wyvernel --quiet --log \"" + log.path() + "\"");
    closePlayers();

    std::printf(
        "automatic run \"/a\", a disc whose DSM has %d clicks (first wait %d ms), %d runs\n",
        kClickCount, intervalMs(kClicks[0].wait), runs);
    std::vector<double> toLaunch, toFirst, lateness, drift;
    int failed = 0;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!runOnce(install, log, run)) {
            ++failed;
            continue;
        }
        std::printf(
            "  run %d: start->player %.0f ms, start->first press %.0f ms, median lateness "
            "%.2f ms, 99th percentile %.2f ms, max %.2f ms, drift at last click %.1f ms\n",
            i + 1, run.toLaunchMs, run.toFirstPressMs, median(run.latenessMs),
            percentile(run.latenessMs, 99), maximum(run.latenessMs), run.driftMs);
        toLaunch.push_back(run.toLaunchMs);
        toFirst.push_back(run.toFirstPressMs);
        lateness.insert(lateness.end(), run.latenessMs.begin(), run.latenessMs.end());
        drift.push_back(run.driftMs);
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, e2e::kSettingsKey);
    if (toLaunch.empty())
        return 1;
    std::printf("start -> player launch:  median %.0f ms\n", median(toLaunch));
    std::printf("start -> first press:    median %.0f ms (of which the first wait %d ms)\n",
                median(toFirst), intervalMs(kClicks[0].wait));
    std::printf("press lateness (%zu presses): median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n",
                lateness.size(), median(lateness), percentile(lateness, 99), maximum(lateness));
    std::printf("drift at the last click: median %.1f ms, max %.1f ms\n", median(drift),
                maximum(drift));
    return failed == 0 ? 0 : 1;
}
