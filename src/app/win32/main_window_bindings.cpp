// MainWindow: the one place where each model field meets the window that shows it, and the
// hints.

#include "app/win32/main_window.h"

#include <commctrl.h>

#include <memory>
#include <tuple>

#include "ui/win32/tooltips.h"

namespace spindrel {

namespace {
RECT rectOf(const Control& control) {
    return {control.left, control.top, control.left + control.width, control.top + control.height};
}
}  // namespace

// The window itself: its title, place and outline.
void MainWindow::bindWindow() {
    const MainModel& m = tmain_.model;
    bindings_.add<std::string>([&m] { return m.applicationTitle; },
                               [this](const std::string& title) {
                                   SetWindowTextA(window_, title.c_str());
                               });
    // A minimised window keeps its place for the restore; the place is applied once it is back.
    bindings_.add<std::tuple<int, int, int, int, bool>>(
        [this, &m] { return std::make_tuple(m.left, m.top, m.width, m.height, minimized_); },
        [this](const std::tuple<int, int, int, int, bool>& place) {
            const auto& [left, top, width, height, minimized] = place;
            if (minimized) return;
            SetWindowPos(window_, nullptr, left, top, width, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        });
    bindings_.add<int>([&m] { return m.windowRegionVersion; }, [this](const int&) { applyRegion(); });
}

void MainWindow::bindChildren() {
    const MainModel& m = tmain_.model;
    // The skin's pictures and the region lights are painted by the window and the panels.
    bindings_.add<std::vector<const void*>>(
        [&m] {
            std::vector<const void*> shown;
            for (const Image* image : {&m.CoolForm1, &m.logo_pic, &m.inactive_pic, &m.Image4,
                                       &m.Image1, &m.Image2, &m.Image3, &m.Image5, &m.Image6,
                                       &m.Image8, &m.regionLed}) {
                shown.push_back(image->picture.get());
            }
            for (const Control& led : m.disc.RegionLED) shown.push_back(led.visible ? &led : nullptr);
            return shown;
        },
        [this](const std::vector<const void*>&) {
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        });

    // An instant switch holds the painting of the big-panel area until it is done.
    bindings_.add<bool>([&m] { return m.bigPanelAreaFrozen; },
                        [this](const bool& frozen) {
                            SendMessageA(bigArea_->handle(), WM_SETREDRAW, frozen ? FALSE : TRUE, 0);
                            if (!frozen) {
                                RedrawWindow(bigArea_->handle(), nullptr, nullptr,
                                             RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                            }
                        });
    for (auto& [control, surface] : panels_) {
        const Control* panel = control;
        HWND handle = surface->handle();
        bindings_.add<std::tuple<int, int, bool>>(
            [panel] { return std::make_tuple(panel->left, panel->top, panel->enabled); },
            [this, handle](const std::tuple<int, int, bool>& place) {
                SetWindowPos(handle, nullptr, std::get<0>(place), std::get<1>(place), 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                EnableWindow(handle, std::get<2>(place));
                // The mark shows the panels beneath it: a slide changes what that is.
                InvalidateRect(mark_->handle(), nullptr, FALSE);
            });
    }

    bindings_.add<std::string>([&m] { return m.autoexec.caption; },
                               [this](const std::string& text) { autoexec_->show(text); });
    bindings_.add<std::vector<std::string>>(
        [&m] { return m.dsm.Notes; },
        [this](const std::vector<std::string>& lines) {
            // The memo's own lines are wrapped: compare what it would give back, not the text.
            if (notes_->lines() == lines) return;
            std::string text;
            for (std::size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines[i];
            notes_->show(text);
        });
    bindings_.add<std::tuple<std::string, bool>>(
        [&m] { return std::make_tuple(m.editwait.caption, m.editwait.enabled); },
        [this](const std::tuple<std::string, bool>& field) {
            editwait_->show(std::get<0>(field));
            EnableWindow(editwait_->handle(), std::get<1>(field));
        });
    // Bold while it has the focus.
    bindings_.add<bool>([&m] { return m.editwaitFocused; },
                        [this](const bool& focused) {
                            SendMessageA(editwait_->handle(), WM_SETFONT,
                                         reinterpret_cast<WPARAM>(focused ? waitBoldFont_.get()
                                                                          : waitFont_.get()),
                                         TRUE);
                        });
}

void MainWindow::bindHints() {
    const MainModel& m = tmain_.model;
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, m.hintHidePause);
    // A control's hint: added at the first reflect, its text updated when it changes.
    const auto controlTip = [this](HWND control, std::function<std::string()> read) {
        auto added = std::make_shared<bool>(false);
        bindings_.add<std::string>(std::move(read), [this, control, added](const std::string& text) {
            setControlTip(tooltip_, control, text, *added);
            *added = true;
        });
    };
    // A drawn area's hint: a tool of the window under the label, which takes its mouse.
    UINT_PTR nextArea = 1;
    const auto areaTip = [this, &nextArea](HWND owner, const Control& label) {
        auto added = std::make_shared<bool>(false);
        const UINT_PTR id = nextArea++;
        bindings_.add<std::tuple<std::string, int, int, int, int>>(
            [&label] {
                return std::make_tuple(label.visible ? label.hint : std::string(), label.left,
                                       label.top, label.width, label.height);
            },
            [this, owner, id, &label, added](const std::tuple<std::string, int, int, int, int>& tip) {
                setAreaTip(tooltip_, owner, id, rectOf(label), std::get<0>(tip), *added);
                *added = true;
            });
    };
    for (const auto& view : buttons_) {
        const CoolButton* button = &view->button();
        controlTip(view->handle(), [button] { return button->hint; });
    }
    controlTip(editwait_->handle(), [&m] { return m.editwait.hint; });
    areaTip(window_, m.disc.DVD_Title);
    areaTip(window_, m.disc.Shape3);
    controlTip(mark_->handle(), [&m] { return m.dsm.ModLabel.hint; });
    HWND config = panels_[&m.config_panel]->handle();
    for (const Control* box : {&m.cbox_1, &m.cbox_2, &m.cbox_3, &m.playerlabel})
        areaTip(config, *box);
    areaTip(panels_[&m.active_panel]->handle(), m.Image4);

    // The plug-in's name shown at once in test mode: a tool the window places itself.
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = window_;
    tool.uId = kImage4Tip;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::popImage4Hint() {
    const MainModel& m = tmain_.model;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = kImage4Tip;
    tool.lpszText = const_cast<char*>(m.Image4.hint.c_str());
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    // Under the small-panel area, where the active panel shows the same name as its hint.
    RECT area;
    GetClientRect(smallArea_->handle(), &area);
    POINT at{area.left + 8, area.bottom};
    ClientToScreen(smallArea_->handle(), &at);
    SendMessageA(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(window_, kImage4Tip, static_cast<UINT>(m.hintHidePause), nullptr);
}

void MainWindow::hideImage4Hint() {
    KillTimer(window_, kImage4Tip);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = kImage4Tip;
    SendMessageA(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

HCURSOR MainWindow::cursorOf(CursorShape shape) const {
    switch (shape) {
        case CursorShape::hand: return LoadCursorA(nullptr, IDC_HAND);
        case CursorShape::ibeam: return LoadCursorA(nullptr, IDC_IBEAM);
        case CursorShape::arrow: break;
    }
    return LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace spindrel
