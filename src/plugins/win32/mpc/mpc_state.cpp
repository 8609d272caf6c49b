// MPC-HC's and MPC-BE's state, through the interface MPC offers a program that starts it with
// "/slave N": MPC sends window N a WM_COPYDATA with CMD_CONNECT and its own window, and answers
// a CMD_GETNOWPLAYING sent to that window with a CMD_NOWPLAYING of its own (MPC-HC
// src/mpc-hc/MpcApi.h; MPC-BE src/apps/mplayerc/mpcapi.h: the same identifiers). Every text is
// UTF-16 with its terminating NUL; MPC sends its messages with SendMessage, passing its own
// window as wParam (MPC-HC src/mpc-hc/MainFrm.cpp, SendAPICommand).
//
// What "/slave" changes in MPC besides (MPC-HC MainFrm.cpp and mplayerc.cpp): MPC takes API
// commands from then on; it sends its notices (a file opened or closed, play and pause, a seek,
// its closing) to window N and waits for each to be taken, which is why the window lives on a
// thread that does nothing but read and pump. A running MPC handed the start of a second one
// (the default "one instance" setting: mplayerc.cpp, InitInstance and SendCommandLine) reads its
// command line anew and sends CMD_CONNECT again (MainFrm.cpp, OnCopyData), so the window is
// this plug-in's for as long as it is loaded, and a later connect simply replaces the player.

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "plugins/mpc_api.h"
#include "plugins/player_status.h"
#include "plugins/win32/state_source.h"

namespace spindrel::plugins {

namespace {

using namespace mpc_api;

// MPC answers from its window's thread before its SendMessage returns; one that takes longer is
// busy, and is asked again on the next poll.
constexpr UINT kAnswerTimeoutMs = 1000;
constexpr const char* kWindowClass = "SpindrelMpcReports";

// The characters MPC's texts need here are all ASCII; anything else is kept as "?".
std::string narrowed(const COPYDATASTRUCT& data) {
    std::string text;
    if (data.lpData == nullptr)
        return text;
    const auto* wide = static_cast<const wchar_t*>(data.lpData);
    const std::size_t count = data.cbData / sizeof(wchar_t);
    for (std::size_t i = 0; i < count && wide[i] != L'\0'; ++i)
        text += wide[i] < 0x80 ? static_cast<char>(wide[i]) : '?';
    return text;
}

class MpcStateSource final : public StateSource {
  public:
    void open() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &MpcStateSource::windowProc;
        wc.hInstance = moduleOfThis();
        wc.lpszClassName = kWindowClass;
        RegisterClassA(&wc);
        // Message-only: no one enumerates it, and it never shows.
        window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
        if (window_ != nullptr)
            SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    std::optional<StateReading> read() override {
        if (player_ == nullptr)
            return StateReading{};
        answered_ = false;
        // The request has no parameter (MainFrm.cpp, ProcessAPICommand); an empty text all the
        // same, as every message is to be one.
        wchar_t empty[1] = {L'\0'};
        COPYDATASTRUCT ask{kCmdGetNowPlaying, sizeof empty, empty};
        DWORD_PTR result = 0;
        // While this waits, the answer MPC sends comes in through windowProc.
        if (SendMessageTimeoutA(player_, WM_COPYDATA, reinterpret_cast<WPARAM>(window_),
                                reinterpret_cast<LPARAM>(&ask), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                &result) == 0) {
            if (IsWindow(player_))
                return std::nullopt;
            forgetPlayer();
            return StateReading{};
        }
        // MPC answers only while a disc or file is loaded (MainFrm.cpp, SendNowPlayingToApi).
        return answered_ ? latest_ : StateReading{};
    }

    bool reporting() const override { return connected_; }

    std::uint32_t reportWindow() const override {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window_));
    }

  private:
    static HINSTANCE moduleOfThis() {
        HMODULE self = nullptr;
        GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&MpcStateSource::windowProc), &self);
        return self;
    }

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<MpcStateSource*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && self != nullptr && lParam != 0) {
            self->received(reinterpret_cast<HWND>(wParam),
                           *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void received(HWND from, const COPYDATASTRUCT& data) {
        const std::string text = narrowed(data);
        if (data.dwData == kCmdConnect) {
            // MPC names the window it sends from; a connect that names another is not MPC's.
            // The number is MPC's "%d" of the handle (MainFrm.cpp, OnCopyData).
            const long long number = std::strtoll(text.c_str(), nullptr, 10);
            const auto named = reinterpret_cast<HWND>(
                static_cast<std::intptr_t>(static_cast<std::int32_t>(number)));
            if (named != nullptr && named == from && IsWindow(named)) {
                player_ = named;
                latest_ = {};
                connected_ = true;
            }
        } else if (from == player_ && data.dwData == kCmdNowPlaying) {
            latest_ = mpcNowPlayingReading(text);
            answered_ = true;
        } else if (from == player_ && data.dwData == kCmdDisconnect) {
            forgetPlayer();
        }
    }

    void forgetPlayer() {
        player_ = nullptr;
        connected_ = false;
    }

    HWND window_ = nullptr;
    HWND player_ = nullptr;
    StateReading latest_;
    bool answered_ = false;
    // Read by the program's thread too.
    std::atomic<bool> connected_{false};
};

}  // namespace

StateSource& thisStateSource() {
    static MpcStateSource source;
    return source;
}

}  // namespace spindrel::plugins
