// A stand-in for the DVD players the plug-ins drive: it opens the main and video windows of the
// player it impersonates, with the class and title the plug-ins search for, and writes down every
// message those windows receive, when, and how it came (sent from another thread, taken from the
// queue, or called directly from inside this thread). It answers WM_USER, closes on WM_CLOSE, and
// can be made to stop pumping messages for a while, as a hung player does, or to take its time over
// every answer while it goes on pumping, as a busy one does.
//
// The window names are spelled out in fake_options.cpp on purpose, not taken from the plug-ins'
// tables, so that a wrong name in a table shows up as a player that is not found.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_options.h"
#include "mpc_slave.h"
#include "player_log.h"

namespace {

// Messages a test sends to the stand-in itself. wParam: milliseconds to hang / a marker number /
// milliseconds that each later answer takes.
constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT kMarkMessage = WM_APP + 2;
constexpr UINT kSlowMessage = WM_APP + 3;
constexpr int kMaxShownLines = 2000;

class FakePlayer {
public:
    FakePlayer(const Options& options, Log& log)
        : options_(options), log_(log), slave_(log, options.menuAfterMs), slowMs_(options.slowMs) {}

    bool create(HINSTANCE instance) {
        const Impersonation& p = *options_.player;
        const std::string mainTitle = options_.mainTitle.empty() ? p.mainTitle : options_.mainTitle;
        if (!registerClass(instance, p.mainClass) ||
            (p.videoClass != nullptr && !registerClass(instance, p.videoClass))) {
            return false;
        }
        main_ = CreateWindowExA(0, p.mainClass, mainTitle.c_str(),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 560, 360, nullptr,
                                nullptr, instance, this);
        if (p.videoClass != nullptr) {
            video_ = CreateWindowExA(0, p.videoClass, p.videoTitle, WS_OVERLAPPEDWINDOW, 620, 40,
                                     360, 240, nullptr, nullptr, instance, this);
            if (video_ == nullptr) return false;
        }
        if (main_ == nullptr) return false;
        list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0,
                                0, main_, nullptr, instance, nullptr);
        SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)),
                     FALSE);
        layout();
        ShowWindow(main_, SW_SHOW);
        if (video_ != nullptr) ShowWindow(video_, SW_SHOW);
        return true;
    }

    void note(const std::string& text) { show(log_.write(text)); }
    // MPC's "/slave N" among the command line's words.
    void takeCommandLine(const std::vector<std::string>& words) {
        if (isMpc()) slave_.takeCommandLine(main_, words);
    }
    bool isMpc() const { return std::string(options_.player->name).rfind("mpc", 0) == 0; }

    int run() {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            dispatched_ = &msg;
            DispatchMessageA(&msg);
            dispatched_ = nullptr;
        }
        return 0;
    }

private:
    static bool registerClass(HINSTANCE instance, const char* name) {
        WNDCLASSA existing;
        if (GetClassInfoA(instance, name, &existing)) return true;  // both videos share DVDFrame
        WNDCLASSA wc{};
        wc.lpfnWndProc = &FakePlayer::windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = name;
        return RegisterClassA(&wc) != 0;
    }

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            auto* creator = static_cast<FakePlayer*>(create->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
            // The main window is made first; knowing both before CreateWindowEx returns lets
            // their creation messages be told apart in the log.
            if (creator->main_ == nullptr) {
                creator->main_ = window;
            } else if (creator->video_ == nullptr && creator->options_.player->videoClass != nullptr) {
                creator->video_ = window;
            }
        }
        auto* self = reinterpret_cast<FakePlayer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
        ++self->depth_;
        LRESULT result = 0;
        if (!self->handle(window, message, wParam, lParam, result)) {
            result = DefWindowProcA(window, message, wParam, lParam);
        }
        --self->depth_;
        return result;
    }

    // How the message came: only the outermost call can have come from outside; whatever the
    // handling of that message causes inside this thread is a direct call.
    const char* arrival(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        if (depth_ > 1) return "direct";
        if (InSendMessage()) return "sent";
        if (dispatched_ != nullptr && dispatched_->hwnd == window &&
            dispatched_->message == message && dispatched_->wParam == wParam &&
            dispatched_->lParam == lParam) {
            return "posted";
        }
        return "direct";
    }

    bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        const char* how = arrival(window, message, wParam, lParam);
        const char* which = window == video_ ? "video" : "main";
        char text[160];
        std::snprintf(text, sizeof text, "msg %s %s %04X %llX %llX", which, how, message,
                      static_cast<unsigned long long>(wParam),
                      static_cast<unsigned long long>(lParam));
        const std::string line = log_.write(text);
        // Direct calls, paints and mouse moves stay out of the window: showing a line causes
        // more of them.
        const bool chatty = message == WM_PAINT || message == WM_MOUSEMOVE ||
                            message == WM_NCMOUSEMOVE || message == WM_TIMER;
        if (std::string(how) != "direct" && !chatty) show(line);

        const bool playerInput = message == WM_USER || message == WM_COMMAND ||
                                 message == WM_CHAR || message == WM_KEYDOWN;
        if (playerInput && slowMs_ > 0) stall();

        switch (message) {
            case WM_USER: return onUser(result);
            case WM_COPYDATA:
                result = lParam != 0 && slave_.onCopyData(main_, reinterpret_cast<HWND>(wParam),
                                                          *reinterpret_cast<COPYDATASTRUCT*>(lParam));
                return true;
            case WM_COMMAND: slave_.onCommand(main_, wParam); return false;
            case WM_TIMER: return slave_.onTimer(main_, wParam);
            case kHangMessage: return onHang(wParam, result);
            case kSlowMessage:
                slowMs_ = static_cast<int>(wParam);
                result = 1;
                return true;
            case kMarkMessage: result = 1; return true;
            case WM_SIZE: return onSize(window);
            case WM_DESTROY: return onDestroy(window);
            default: return false;
        }
    }

    bool onUser(LRESULT& result) {
        result = 1;
        return true;
    }

    // Not pumping is what makes a window hung; sleeping here does exactly that.
    bool onHang(WPARAM ms, LRESULT& result) {
        note("hang " + std::to_string(ms));
        Sleep(static_cast<DWORD>(ms));
        note("resume");
        result = 1;
        return true;
    }

    // Busy, not hung: the answer is late, but messages go on being pumped, so the system does
    // not judge the window hung and a sender waits out its whole time-out.
    void stall() {
        note("stall " + std::to_string(slowMs_));
        const DWORD start = GetTickCount();
        const int outerDepth = depth_;
        const MSG* outerDispatched = dispatched_;
        depth_ = 0;  // what arrives meanwhile arrives from outside
        DWORD waited = 0;
        while ((waited = GetTickCount() - start) < static_cast<DWORD>(slowMs_)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(slowMs_) - waited,
                                      QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
                dispatched_ = &msg;
                DispatchMessageA(&msg);
                dispatched_ = nullptr;
            }
        }
        depth_ = outerDepth;
        dispatched_ = outerDispatched;
        note("answer");
    }

    bool onSize(HWND window) {
        if (window == main_) layout();
        return false;
    }

    bool onDestroy(HWND window) {
        if (window == main_) {
            main_ = nullptr;
            if (video_ != nullptr) DestroyWindow(video_);
            note("closed");
            PostQuitMessage(0);
        } else if (window == video_) {
            video_ = nullptr;
        }
        return true;
    }

    void layout() {
        if (main_ == nullptr || list_ == nullptr) return;
        RECT client;
        GetClientRect(main_, &client);
        MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
    }

    void show(const std::string& line) {
        if (options_.quiet || list_ == nullptr) return;
        if (SendMessageA(list_, LB_GETCOUNT, 0, 0) >= kMaxShownLines) {
            SendMessageA(list_, LB_DELETESTRING, 0, 0);
        }
        const LRESULT index =
            SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }

    const Options& options_;
    Log& log_;
    MpcSlave slave_;
    HWND main_ = nullptr;
    HWND video_ = nullptr;
    HWND list_ = nullptr;
    const MSG* dispatched_ = nullptr;
    int depth_ = 0;
    int slowMs_ = 0;
};

// Closes the impersonated player's running copies as a plug-in's Kill_DVD_Player does, with
// WM_CLOSE, so that a script can end a player it did not start (and whatever ends with it).
// Exit code 0 once none is left, 1 if one is still there after five seconds.
int closePlayers(const Options& options) {
    const Impersonation& p = *options.player;
    const char* title = options.mainTitle.empty() ? p.mainTitle : options.mainTitle.c_str();
    const DWORD start = GetTickCount();
    while (HWND window = FindWindowA(p.mainClass, title)) {
        if (GetTickCount() - start > 5000) return 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(50);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Options from the environment come first: a player started through the shell by a plug-in
    // gets only the drive root on its command line, but inherits the starter's environment.
    std::vector<std::string> words;
    char environment[4096];
    const DWORD length =
        GetEnvironmentVariableA("SPINDREL_FAKEPLAYER", environment, sizeof environment);
    if (length > 0 && length < sizeof environment) words = splitWords(environment);
    const std::vector<std::string> command = splitWords(argumentText());
    words.insert(words.end(), command.begin(), command.end());

    Options options;
    std::string error;
    if (!parseOptions(words, options, error)) {
        MessageBoxA(
            nullptr,
            (error + "\n\nfakeplayer [--as corvane|corvane3|brannock|wyvernel|mpc|mpcbe|vlc] "
                     "[--main-title TEXT] [--log FILE] [--hang MS] [--slow MS] [--late MS] "
                     "[--menu-after MS] [--one-instance] [--no-window] [--quiet] [--close] "
                     "[ARG...]")
                .c_str(),
            "fakeplayer", MB_OK | MB_ICONERROR);
        return 2;
    }

    if (options.close) return closePlayers(options);
    // MPC's "one instance" setting: a second start hands its command line to the running one.
    if (options.oneInstance && MpcSlave::handToRunning(options.player->mainClass, command)) return 0;
    Log log(options.logFile);
    // A player that is slow to come up (a drive spinning up, a first start), or never does.
    if (options.noWindow) {
        log.write("start as " + std::string(options.player->name) + " without a window");
        return 0;
    }
    if (options.lateMs > 0) {
        log.write("late " + std::to_string(options.lateMs));
        Sleep(static_cast<DWORD>(options.lateMs));
    }
    FakePlayer player(options, log);
    if (!player.create(instance)) return 1;
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    player.note("start as " + std::string(options.player->name) + " pid " +
                std::to_string(GetCurrentProcessId()));
    player.note("cwd " + std::string(folder));
    player.note("args " + std::string(argumentText()));
    for (const std::string& argument : options.arguments) player.note("arg " + argument);
    player.takeCommandLine(command);
    if (options.hangMs > 0) {
        player.note("hang " + std::to_string(options.hangMs));
        Sleep(static_cast<DWORD>(options.hangMs));
        player.note("resume");
    }
    return player.run();
}
