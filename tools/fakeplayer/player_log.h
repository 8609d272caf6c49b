#pragma once
// The stand-in's log: one line per event, written to the file at once.

#include <windows.h>

#include <string>

class Log {
public:
    explicit Log(const std::string& path) {
        QueryPerformanceFrequency(&frequency_);
        if (path.empty()) return;
        file_ = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~Log() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Microseconds on the performance counter, which is the same for every process, so a
    // reader can compare these times with its own.
    unsigned long long nowUs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const auto ticks = static_cast<unsigned long long>(now.QuadPart);
        const auto perSecond = static_cast<unsigned long long>(frequency_.QuadPart);
        return ticks / perSecond * 1000000ULL + ticks % perSecond * 1000000ULL / perSecond;
    }

    // Each line goes straight to the file: a reader may look at any moment, and a player that
    // is killed loses nothing.
    std::string write(const std::string& text) {
        const std::string line = std::to_string(nowUs()) + " " + text;
        if (file_ != INVALID_HANDLE_VALUE) {
            const std::string withEnd = line + "\r\n";
            DWORD written = 0;
            WriteFile(file_, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
        }
        return line;
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    LARGE_INTEGER frequency_{};
};
