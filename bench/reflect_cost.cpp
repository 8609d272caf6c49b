// What the main window costs for an event that changes nothing it shows: the real program, and
// a key it does not use (F24) sent to its window, timed from here, against a message the window
// does not answer with a reflect (WM_NULL), so that what remains is the reflect itself.
//
//   reflect_cost [PROGRAM [MESSAGES]]   (PROGRAM: another DVD_Spindrel.exe to measure instead of
//                                        the one built here, e.g. an older build; default 2000)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"

namespace {

using namespace spindrel::e2e;

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

double timeSend(HWND window, UINT message, WPARAM wParam) {
    static const double tickMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1000.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER before;
    LARGE_INTEGER after;
    QueryPerformanceCounter(&before);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, 0, SMTO_NORMAL, 5000, &result);
    QueryPerformanceCounter(&after);
    return static_cast<double>(after.QuadPart - before.QuadPart) * tickMs;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 2 ? std::atoi(argv[2]) : 2000;
    resetSettings("Wyvernel.dll");
    Installation install;
    if (argc > 1 && !CopyFileA(argv[1], install.path("DVD_Spindrel.exe").c_str(), FALSE)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 1;
    }
    Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
    HWND window = program.waitForWindow("Tmain", true);
    if (window == nullptr || !waitFor([&] { return childWithText(window, "file_panel") != nullptr; })) {
        std::fprintf(stderr, "the program's window did not show\n");
        return 1;
    }
    // Its first panel slides in and the player watch settles.
    Sleep(2000);
    // In pairs, so that what else the machine does weighs on both alike.
    std::vector<double> bare;
    std::vector<double> reflected;
    std::vector<double> difference;
    for (int i = 0; i < count; ++i) {
        bare.push_back(timeSend(window, WM_NULL, 0));
        reflected.push_back(timeSend(window, WM_KEYDOWN, VK_F24));
        difference.push_back(reflected.back() - bare.back());
    }
    std::printf("%d pairs of messages\n", count);
    std::printf("round trip, no reflect (WM_NULL):  median %.3f ms, p95 %.3f ms\n",
                percentile(bare, 0.5), percentile(bare, 0.95));
    std::printf("round trip with reflect (F24):     median %.3f ms, p95 %.3f ms\n",
                percentile(reflected, 0.5), percentile(reflected, 0.95));
    std::printf("an unchanged reflect (pairwise):   median %.3f ms\n", percentile(difference, 0.5));
    PostMessageA(window, WM_CLOSE, 0, 0);
    program.waitForExit(kWaitMs);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    return 0;
}
