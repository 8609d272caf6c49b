// What finding the player costs a start that has no plug-in stored: the choice (registry reads
// and file checks, over the real registry and the dist folder's plug-ins) and the player's name
// for the configuration panel (one version resource). A start with a stored plug-in does
// neither, which is the "before": nothing of this runs there.
//
//   wine build/win64/bench/first_start_choice.exe [RUNS]

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/plugin_choice.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double first = 0;
    double median = 0;
    double p95 = 0;
};

template <typename Fn>
Figures measure(int runs, Fn&& fn) {
    std::vector<double> us;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        fn();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    Figures figures;
    figures.first = us.front();
    std::sort(us.begin(), us.end());
    figures.median = us[us.size() / 2];
    figures.p95 = us[us.size() * 95 / 100];
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::string folder = SPINDREL_DIST_DIR;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    folder = "Z:" + folder + "\\";

    spindrel::Win32Registry registry;
    spindrel::Win32FileSystem files;
    spindrel::Win32System system;
    const spindrel::PlayerSearch search{registry, files, spindrel::plugins::processEnvironment};
    std::string chosen;
    const Figures choice = measure(runs, [&] { chosen = firstStartPlugin(search, folder); });
    std::string name;
    const Figures label = measure(
        runs, [&] { name = system.versionText(folder + chosen, "PlayerName").value_or("?"); });
    std::printf("plug-in chosen: %s (%s), %d runs\n", chosen.c_str(), name.c_str(), runs);
    std::printf("choice:      first %.0f us, median %.0f us, p95 %.0f us\n", choice.first,
                choice.median, choice.p95);
    std::printf("player name: first %.0f us, median %.0f us, p95 %.0f us\n", label.first,
                label.median, label.p95);
    return 0;
}
