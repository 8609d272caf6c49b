// How long the library dialog takes to show its first, sorted listing of a big DSM folder whose
// descriptions are all in the index, and how much memory the listing takes.
//
//   library_listing [DSMS [RUNS]]      (default: 10000 DSMs, 7 runs)
//
// A folder of its own under the temporary folder gets the DSMs, a full descriptions.idx and the
// dialog's skin from the build's dist folder. Each run opens the real dialog and times from the
// show to the grid painted with every row listed and sorted.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "library/tfm_open.h"
#include "library/win32/library_window.h"
#include "platform/win32/win32_bitmaps.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_timers.h"

namespace {

double nowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / perMs;
}

struct Memory {
    double workingSetMb;
    double committedMb;
};

Memory memory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return {static_cast<double>(counters.WorkingSetSize) / 1048576.0,
            static_cast<double>(counters.PagefileUsage) / 1048576.0};
}

void write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string distImages() {
    std::string path = std::string("Z:") + SPINDREL_DIST_DIR + "/images/";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    using namespace spindrel;
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "spindrel_bench_library";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\images").c_str(), nullptr);
    CreateDirectoryA((root + "\\dsm").c_str(), nullptr);
    for (const char* image :
         {"open_dialog.bmp", "open_dialog.mask", "buttons_load.bmp", "buttons_cancel.bmp"}) {
        if (!CopyFileA((distImages() + image).c_str(), (root + "\\images\\" + image).c_str(),
                       FALSE)) {
            std::fprintf(stderr, "cannot copy %s from %s\n", image, distImages().c_str());
            return 1;
        }
    }
    SetCurrentDirectoryA((root + "\\dsm").c_str());

    // Serial-based names, so that every DSM is in the first listing; the descriptions differ
    // in their first letters so that the sort has work to do.
    std::printf("preparing %d DSMs and their index in %s\\dsm ...\n", count, root.c_str());
    std::string index;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%08x.dsm", static_cast<unsigned>(i) * 2654435761u);
        char title[64];
        std::snprintf(title, sizeof title, "%c%c Film number %d", 'A' + (i * 7) % 26,
                      'a' + (i * 13) % 26, i);
        write(name, std::string("#") + title + "\r\n#Region 2\r\n1.0,Enter\r\n");
        index += std::string(name) + "=" + title + " Region 2 \r\n";
    }
    SetFileAttributesA("descriptions.idx", FILE_ATTRIBUTE_NORMAL);
    write("descriptions.idx", index);
    SetFileAttributesA("descriptions.idx", FILE_ATTRIBUTE_HIDDEN);

    Win32FileSystem files;
    Win32FileIo fileIo;
    Win32Bitmaps bitmaps;
    Win32Timers timers;
    Win32MessageBox messages;
    Win32MessagePump pump;

    const Memory before = memory();
    TfmOpen dialog(LibraryPorts{files, fileIo, bitmaps, timers, messages, pump, {}});
    dialog.model.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    dialog.FormCreate();
    if (dialog.failed()) {
        std::fprintf(stderr, "%s\n", dialog.model.pendingError.c_str());
        return 1;
    }
    LibraryWindow window(dialog, nullptr);
    // The listing lets the window repaint before it fills the grid: that marks its start.
    double begun = 0;
    pump.beforePump = [&] {
        if (begun == 0)
            begun = nowMs();
        window.reflect();
    };

    std::vector<double> shows;
    std::vector<double> toListing;
    std::vector<double> listings;
    Memory listed{};
    for (int run = 0; run < runs; ++run) {
        double ready = 0;
        begun = 0;
        window.afterMessage = [&] {
            if (ready != 0 || dialog.model.rows.size() != static_cast<std::size_t>(count))
                return;
            RedrawWindow(window.grid(), nullptr, nullptr, RDW_UPDATENOW);
            ready = nowMs();
            listed = memory();
            PostMessageA(window.handle(), WM_CLOSE, 0, 0);
        };
        ShowFacts facts;
        facts.placement.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        facts.placement.screenHeight = GetSystemMetrics(SM_CYSCREEN);
        const double started = nowMs();
        window.runModal(facts);
        if (ready == 0 || begun == 0) {
            std::fprintf(stderr, "run %d: the grid never held %d rows\n", run, count);
            return 1;
        }
        shows.push_back(ready - started);
        toListing.push_back(begun - started);
        listings.push_back(ready - begun);
        std::printf("run %d: %.1f ms (listing begun after %.1f ms, then %.1f ms), sorted by %s\n",
                    run + 1, ready - started, begun - started, ready - begun,
                    dialog.sortedByDescription() ? "description" : "file name");
    }

    // Without a window: the core's index read, listing and sort, and of that the system's
    // folder listing.
    std::vector<double> core;
    std::vector<double> folder;
    for (int run = 0; run < runs; ++run) {
        const double listing = nowMs();
        files.findFiles("*.dsm");
        folder.push_back(nowMs() - listing);
        TfmOpen bare(LibraryPorts{files, fileIo, bitmaps, timers, messages, pump, {}});
        bare.FormShow(ShowFacts{});
        const double started = nowMs();
        bare.Timer1Timer();
        core.push_back(nowMs() - started);
        bare.FormClose();
    }

    std::printf("\n%d DSMs, all indexed, %d runs (medians)\n", count, runs);
    std::printf("show -> first listed, sorted grid painted: %.1f ms (min %.1f, max %.1f)\n",
                median(shows), *std::min_element(shows.begin(), shows.end()),
                *std::max_element(shows.begin(), shows.end()));
    std::printf(
        "  show -> listing begun (window shown, 10 ms timer, folder listed, index read): %.1f ms\n",
        median(toListing));
    std::printf("  listing begun -> rows listed, sorted and painted: %.1f ms\n", median(listings));
    std::printf(
        "core alone (index read, listing, sort): %.1f ms, of which the folder listing %.1f ms\n",
        median(core), median(folder));
    std::printf("memory with the dialog listed: working set +%.1f MB, committed +%.1f MB\n",
                listed.workingSetMb - before.workingSetMb, listed.committedMb - before.committedMb);
    return 0;
}
