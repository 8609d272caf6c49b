#include "mpc_slave.h"

#include <cstdio>
#include <cstdlib>

#include "plugins/mpc_api.h"

namespace {

using namespace spindrel::mpc_api;

// A second start's command line (MPC-HC mplayerc.cpp, SendCommandLine; MainFrm.cpp, OnCopyData).
constexpr ULONG_PTR kCommandLine = 0x6ABE51;
constexpr WPARAM kMenuTimer = 0x4D50;
constexpr WPARAM kTitleTimer = 0x4D51;
// MPC's own command identifiers (resource.h): menu activate, next chapter.
constexpr WPARAM kMenuActivate = 933;
constexpr WPARAM kSkipForward = 922;
// From the press that starts a title to the title playing.
constexpr UINT kTitleStartMs = 200;

std::wstring widened(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string narrowed(const wchar_t* text, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count && text[i] != L'\0'; ++i)
        out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return out;
}

std::string hex(ULONG_PTR value) {
    char text[24];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

void MpcSlave::takeCommandLine(HWND own, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == "/slave") {
            // As MPC reads it: _ttoi, the handle widened from a signed 32-bit number.
            master_ = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::atoi(words[i + 1].c_str())));
            // MPC sends its own window as "%d" of PtrToInt.
            send(own, kCmdConnect,
                 std::to_wstring(static_cast<int>(reinterpret_cast<INT_PTR>(own))));
        }
    }
    begin(own);
}

void MpcSlave::begin(HWND own) {
    enter(Domain::firstPlay);
    KillTimer(own, kTitleTimer);
    SetTimer(own, kMenuTimer, static_cast<UINT>(menuAfterMs_), nullptr);
}

void MpcSlave::enter(Domain domain) {
    domain_ = domain;
    chapter_ = 1;
    const char* const names[] = {"FirstPlay", "RootMenu", "Title"};
    log_.write(std::string("dvd ") + names[static_cast<int>(domain)]);
}

bool MpcSlave::onTimer(HWND own, WPARAM id) {
    if (id != kMenuTimer && id != kTitleTimer)
        return false;
    KillTimer(own, id);
    enter(id == kMenuTimer ? Domain::rootMenu : Domain::title);
    return true;
}

void MpcSlave::onCommand(HWND own, WPARAM id) {
    if (LOWORD(id) == kMenuActivate && domain_ == Domain::rootMenu) {
        SetTimer(own, kTitleTimer, kTitleStartMs, nullptr);
    } else if (LOWORD(id) == kSkipForward && domain_ == Domain::title) {
        ++chapter_;
        log_.write("dvd Title chapter " + std::to_string(chapter_));
    }
}

std::wstring MpcSlave::nowPlaying() const {
    switch (domain_) {
        case Domain::firstPlay:
            return L"DVD - FirstPlay||||";
        case Domain::rootMenu:
            return L"DVD - RootMenu||||";
        case Domain::title:
            return L"DVD - Title|1|4|" + std::to_wstring(chapter_) + L"|600";
    }
    return L"";
}

void MpcSlave::send(HWND own, ULONG_PTR command, const std::wstring& text) {
    if (master_ == nullptr)
        return;
    COPYDATASTRUCT data{command, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                        const_cast<wchar_t*>(text.c_str())};
    // As MPC does: SendMessage, waiting as long as the other side takes.
    const LRESULT taken = SendMessageW(master_, WM_COPYDATA, reinterpret_cast<WPARAM>(own),
                                       reinterpret_cast<LPARAM>(&data));
    log_.write("api sent " + hex(command) + " " + narrowed(text.c_str(), text.size()) +
               (taken ? "" : " (not taken)"));
}

bool MpcSlave::onCopyData(HWND own, HWND from, const COPYDATASTRUCT& data) {
    const auto* text = static_cast<const wchar_t*>(data.lpData);
    const std::size_t count = text == nullptr ? 0 : data.cbData / sizeof(wchar_t);
    if (data.dwData == kCommandLine && data.cbData >= sizeof(DWORD)) {
        // A DWORD count, then as many NUL-terminated texts.
        std::vector<std::string> words;
        const auto* bytes = static_cast<const BYTE*>(data.lpData);
        const auto* word = reinterpret_cast<const wchar_t*>(bytes + sizeof(DWORD));
        const auto* end = reinterpret_cast<const wchar_t*>(bytes + data.cbData);
        for (DWORD n = *reinterpret_cast<const DWORD*>(bytes); n > 0 && word < end; --n) {
            words.push_back(narrowed(word, static_cast<std::size_t>(end - word)));
            word += words.back().size() + 1;
        }
        std::string joined;
        for (const std::string& w : words)
            joined += (joined.empty() ? "" : " ") + w;
        log_.write("second start " + joined);
        takeCommandLine(own, words);
        return true;
    }
    if (data.dwData < 0xA0000000)
        return false;
    char from_[24];
    std::snprintf(from_, sizeof from_, "%llX",
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(from)));
    log_.write("api received " + hex(data.dwData) + " " + narrowed(text, count) + " from " + from_);
    if (data.dwData == kCmdGetNowPlaying)
        send(own, kCmdNowPlaying, nowPlaying());
    return true;
}

bool MpcSlave::handToRunning(const char* mainClass, const std::vector<std::string>& words) {
    HWND running = FindWindowA(mainClass, nullptr);
    if (running == nullptr)
        return false;
    std::vector<BYTE> buffer(sizeof(DWORD));
    *reinterpret_cast<DWORD*>(buffer.data()) = static_cast<DWORD>(words.size());
    for (const std::string& word : words) {
        const std::wstring wide = widened(word);
        const auto* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
        buffer.insert(buffer.end(), bytes, bytes + (wide.size() + 1) * sizeof(wchar_t));
    }
    COPYDATASTRUCT data{kCommandLine, static_cast<DWORD>(buffer.size()), buffer.data()};
    return SendMessageA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) != 0;
}
