// Long use of the real program under Wine: what it holds before and after 200 minimise/restore
// cycles (each restore rebuilds the remote panel), 200 panel switches, 100 openings of the
// library dialog and 100 recordings started and stopped.
//
//   soak [SCALE]      (SCALE in percent of those counts, default 100; see soak.sh)
//
// GDI objects and windows come from the program itself (its resource-count window): Wine
// answers 0 to GetGuiResources and GetProcessHandleCount. The working set comes from
// GetProcessMemoryInfo. "Before" is taken after one round of every operation, so that what is
// made once for the whole run (fonts, the dialog, the first glyphs) is already there.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "ui/skin_layout.h"
#include "ui/win32/resource_count.h"
#include "win32/plugin_fakeplayer.h"

namespace {

using namespace spindrel;
namespace layout = skin;

constexpr const char* kMainClass = "Tmain";
constexpr const char* kDialogClass = "TfmOpen";

struct Figures {
    long gdiObjects = -1;
    long windows = -1;
    double workingSetKb = -1;
};

class Soak {
  public:
    Soak(const e2e::Process& program, HWND window) : program_(program), window_(window) {}

    Figures figures() {
        Figures f;
        HWND counter = nullptr;
        while ((counter = FindWindowExA(HWND_MESSAGE, counter, kResourceCountClass, nullptr)) !=
               nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(counter, &process);
            if (process == program_.id())
                break;
        }
        if (counter != nullptr) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutA(counter, kResourceCountMessage,
                                    static_cast<WPARAM>(ResourceKind::gdiObjects), 0,
                                    SMTO_ABORTIFHUNG, 5000, &answer)) {
                f.gdiObjects = static_cast<long>(answer);
            }
            if (SendMessageTimeoutA(counter, kResourceCountMessage,
                                    static_cast<WPARAM>(ResourceKind::windows), 0, SMTO_ABORTIFHUNG,
                                    5000, &answer)) {
                f.windows = static_cast<long>(answer);
            }
        }
        HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program_.id());
        if (process != nullptr) {
            PROCESS_MEMORY_COUNTERS counters{};
            counters.cb = sizeof counters;
            if (GetProcessMemoryInfo(process, &counters, sizeof counters))
                f.workingSetKb = static_cast<double>(counters.WorkingSetSize) / 1024.0;
            CloseHandle(process);
        }
        return f;
    }

    // Waits until the program has handled everything posted to it so far.
    void settle(int ms) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
        Sleep(static_cast<DWORD>(ms));
        SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    }

    void minimiseAndRestore() {
        PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        waitFor([&] { return IsIconic(window_) != FALSE; });
        settle(20);
        PostMessageA(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
        waitFor([&] { return IsIconic(window_) == FALSE; });
        settle(20);
        waitStill();
    }

    void switchPanel(int round) {
        static constexpr char kKeys[] = {'A', 'B', 'C', 'D', 'F'};
        PostMessageA(window_, WM_SYSKEYDOWN, static_cast<WPARAM>(kKeys[round % 5]),
                     LPARAM{1} << 29);
        settle(20);
        waitStill();
    }

    bool openLibrary() {
        PostMessageA(window_, WM_SYSKEYDOWN, 'F', LPARAM{1} << 29);
        settle(20);
        waitStill();
        if (!click(layout::main_form::base_panel.left + layout::base_panel::file_panel.left +
                       layout::file_panel::openbtn.left + layout::file_panel::openbtn.width / 2,
                   layout::main_form::base_panel.top + layout::base_panel::file_panel.top +
                       layout::file_panel::openbtn.top + layout::file_panel::openbtn.height / 2)) {
            return false;
        }
        HWND dialog = nullptr;
        if (!waitFor([&] { return (dialog = program_.findWindow(kDialogClass, true)) != nullptr; }))
            return false;
        Sleep(50);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        const bool closed = waitFor([&] { return IsWindowVisible(dialog) == FALSE; });
        settle(20);
        return closed;
    }

    bool recordAndStop() {
        const int x = layout::main_form::dead_panel1.left + layout::dead_panel1::active_panel.left;
        const int y = layout::main_form::dead_panel1.top + layout::dead_panel1::active_panel.top;
        const bool started =
            click(x + layout::active_panel::RecBtn.left + layout::active_panel::RecBtn.width / 2,
                  y + layout::active_panel::RecBtn.top + layout::active_panel::RecBtn.height / 2);
        settle(20);
        waitStill();
        const bool stopped =
            click(x + layout::active_panel::stopbtn.left + layout::active_panel::stopbtn.width / 2,
                  y + layout::active_panel::stopbtn.top + layout::active_panel::stopbtn.height / 2);
        settle(20);
        waitStill();
        return started && stopped;
    }

  private:
    // The deepest visible child under a point of the window, and the point in its terms.
    HWND childAt(POINT& point) const {
        HWND target = window_;
        for (;;) {
            HWND child =
                ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
            if (child == nullptr || child == target)
                return target;
            MapWindowPoints(target, child, &point, 1);
            target = child;
        }
    }

    // A click as the mouse makes it, on the skinned button under a point of the window (other
    // programs' windows may lie on top of it on the screen); false when no button is there.
    bool click(int x, int y) {
        POINT point{x, y};
        HWND target = nullptr;
        const bool there = waitFor([&] {
            point = {x, y};
            target = childAt(point);
            char name[64] = {};
            GetClassNameA(target, name, sizeof name);
            return std::string(name) == "TCoolButton";
        });
        if (!there)
            return false;
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageA(target, WM_MOUSEMOVE, 0, at);
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(target, WM_LBUTTONUP, 0, at);
        return true;
    }

    // Waits (bounded) until no child window has moved for a few slide steps.
    void waitStill() {
        std::vector<RECT> last;
        int still = 0;
        for (int waited = 0; waited < e2e::kWaitMs && still < 4; waited += 30) {
            std::vector<RECT> now;
            for (HWND child : e2e::childrenOf(window_)) {
                RECT rect;
                GetWindowRect(child, &rect);
                now.push_back(rect);
            }
            const bool same =
                now.size() == last.size() &&
                std::equal(now.begin(), now.end(), last.begin(),
                           [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; });
            still = same ? still + 1 : 0;
            last = std::move(now);
            Sleep(30);
        }
    }

    static bool waitFor(const std::function<bool()>& done) {
        for (int waited = 0; waited < e2e::kWaitMs; waited += 10) {
            if (done())
                return true;
            Sleep(10);
        }
        return false;
    }

    const e2e::Process& program_;
    HWND window_;
};

void print(const char* when, const Figures& f) {
    std::printf("  %-34s GDI objects %5ld   windows %4ld   working set %8.0f KB\n", when,
                f.gdiObjects, f.windows, f.workingSetKb);
}

}  // namespace

int main(int argc, char** argv) {
    const int scale = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 1000) : 100;
    const int restores = 200 * scale / 100;
    const int switches = 200 * scale / 100;
    const int openings = 100 * scale / 100;
    const int recordings = 100 * scale / 100;

    e2e::Installation install;
    CreateDirectoryA(install.path("dsm").c_str(), nullptr);
    for (int i = 0; i < 40; ++i) {
        std::ofstream dsm(install.path("dsm\\" + std::to_string(10000000 + i) + ".dsm"),
                          std::ios::binary);
        dsm << "#Soak film " << i << "\r\n1.0,Next\r\n0.5,Down\r\n";
    }
    e2e::resetSettings("Wyvernel.dll");
    e2e::setSettingString("PCDVD", testing::fakePlayerPath());
    e2e::closeProcessesOfWindow("PlayWnd", "Creative PC-DVD Player");
    int failures = 0;
    {
        // The player runs, so the controller panel with the record and stop buttons is in view.
        testing::FakePlayerProcess player("wyvernel", "PlayWnd", "Creative PC-DVD Player",
                                          "--quiet");
        e2e::Process program(install.path("DVD_Spindrel.exe"), "", install.folder());
        HWND window = program.waitForWindow(kMainClass, true);
        if (window == nullptr) {
            std::fprintf(stderr, "the program's window did not show\n");
            return 1;
        }
        Soak soak(program, window);
        soak.settle(2000);
        print("started", soak.figures());

        // One round of each: what is made once is made now.
        soak.minimiseAndRestore();
        for (int i = 0; i < 5; ++i)
            soak.switchPanel(i);
        failures += soak.openLibrary() ? 0 : 1;
        failures += soak.recordAndStop() ? 0 : 1;
        soak.settle(500);
        const Figures before = soak.figures();
        std::printf(
            "soak under Wine: %d minimise/restore, %d panel switches, %d library openings, "
            "%d recordings\n",
            restores, switches, openings, recordings);
        print("before (after one round of each)", before);

        for (int i = 0; i < restores; ++i)
            soak.minimiseAndRestore();
        soak.settle(300);
        print("after the minimise/restore cycles", soak.figures());
        for (int i = 0; i < switches; ++i)
            soak.switchPanel(i);
        soak.settle(300);
        print("after the panel switches", soak.figures());
        if (std::getenv("SOAK_DEBUG") != nullptr)
            std::printf("running: %d\n", program.running() ? 1 : 0);
        for (int i = 0; i < openings && program.running(); ++i)
            failures += soak.openLibrary() ? 0 : 1;
        soak.settle(300);
        print("after the library openings", soak.figures());
        for (int i = 0; i < recordings && program.running(); ++i)
            failures += soak.recordAndStop() ? 0 : 1;
        soak.settle(500);
        if (!program.running()) {
            DWORD code = 0;
            program.waitForExit(0, &code);
            std::printf("the program ended on its own (exit code 0x%lx)\n", code);
            return 1;
        }
        const Figures after = soak.figures();
        print("after the recordings", after);
        std::printf("change: GDI objects %+ld, windows %+ld, working set %+.0f KB\n",
                    after.gdiObjects - before.gdiObjects, after.windows - before.windows,
                    after.workingSetKb - before.workingSetKb);
        if (failures != 0)
            std::printf("%d library openings or recordings did not find their button or dialog\n",
                        failures);

        PostMessageA(window, WM_CLOSE, 0, 0);
        if (!program.waitForExit(e2e::kWaitMs))
            std::fprintf(stderr, "the program did not close\n");
    }
    e2e::closeProcessesOfWindow("PlayWnd", "Creative PC-DVD Player");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, e2e::kSettingsKey);
    return failures == 0 ? 0 : 1;
}
