// The main window's responsiveness through one run of the real program: a bare message (WM_NULL)
// sent to it every 20 ms, timed here, each round trip named by what the window's title says the
// run is doing at that moment, so that a click waiting for the player can be set beside a click
// waiting its blind time. Prints one line per message, "WHAT WHEN MILLISECONDS", until the window
// goes (WHEN: Unix time in milliseconds, to be set beside what VLC's log says it did then):
//
//   window_ping [SECONDS]       (default 90: the longest it watches; see macro_sync.sh)
//
// WHAT is "condition" while the title reads "When ...: BUTTON" (a click waiting for the player),
// "blind" while it reads "In ...s: BUTTON" (a click waiting its time), else "other".

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double nowMs() {
    static const double tickMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1000.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * tickMs;
}

double unixMs() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // FILETIME counts tenths of microseconds from 1601, Unix time seconds from 1970.
    return static_cast<double>(ticks - 116444736000000000ULL) / 10000.0;
}

const char* whatTheRunDoes(HWND window) {
    // Another process's window text comes from the window server, without a message to the
    // window, so reading it does not count in the round trip.
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::strncmp(title, "When ", 5) == 0)
        return "condition";
    if (std::strncmp(title, "In ", 3) == 0)
        return "blind";
    return "other";
}

}  // namespace

int main(int argc, char** argv) {
    const double watchMs = (argc > 1 ? std::atof(argv[1]) : 90.0) * 1000.0;
    const double started = nowMs();
    HWND window = nullptr;
    while (!(window = FindWindowA("Tmain", nullptr))) {
        if (nowMs() - started > watchMs) {
            std::fprintf(stderr, "window_ping: the program's window never came\n");
            return 1;
        }
        Sleep(10);
    }
    while (IsWindow(window) && nowMs() - started < watchMs) {
        const char* what = whatTheRunDoes(window);
        DWORD_PTR answer = 0;
        const double when = unixMs();
        const double before = nowMs();
        const LRESULT sent = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
        const double took = nowMs() - before;
        // A window that went during the message is no slow answer.
        if (sent == 0 && !IsWindow(window))
            break;
        std::printf("%s %.1f %.3f\n", what, when, took);
        Sleep(20);
    }
    return 0;
}
