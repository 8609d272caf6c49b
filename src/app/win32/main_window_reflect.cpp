// MainWindow: showing the model after every event. The bindings apply what changed; the click
// list, the remote buttons and the one-shot requests (focus, foreground, close) are here.


#include "app/win32/main_window.h"

#include <commctrl.h>

namespace spindrel {

void MainWindow::reflect() {
    if (window_ == nullptr) return;
    bindings_.reflect();
    for (auto& label : labels_) label->reflect();
    for (auto& view : buttons_) view->reflect();
    reflectRemoteButtons();
    for (auto& view : remoteButtons_) view->reflect();
    reflectClickRows();
    reflectClickSelection();
    reflectRequests();
}

void MainWindow::applyRegion() {
    const MainModel& model = tmain_.model;
    if (model.windowRegionVersion == appliedRegion_) return;
    appliedRegion_ = model.windowRegionVersion;
    const auto* data = reinterpret_cast<const RGNDATA*>(model.windowRegion.data());
    RegionHandle region(
        ExtCreateRegion(nullptr, static_cast<DWORD>(model.windowRegion.size()), data));
    // A region the system refuses leaves the outline as it was.
    if (region) SetWindowRgn(window_, region.release(), TRUE);
}

void MainWindow::reflectRemoteButtons() {
    MainModel& model = tmain_.model;
    const auto remotePanel = panels_.find(&model.remote_panel);
    if (remotePanel == panels_.end()) return;  // the panels are not built yet
    if (model.remoteButtonsVersion == shownRemoteVersion_) return;
    shownRemoteVersion_ = model.remoteButtonsVersion;
    remoteButtons_.clear();
    HWND remote = remotePanel->second->handle();
    HCURSOR hand = cursorOf(CursorShape::hand);
    for (std::size_t i = 0; i < model.remoteButtons.size(); ++i) {
        auto view = std::make_unique<CoolButtonView>(remote, model.remoteButtons[i], pictures_);
        // Its button goes with the next rebuild of the list, before this view does.
        view->isCurrent = [&model, version = model.remoteButtonsVersion] {
            return model.remoteButtonsVersion == version;
        };
        const int index = static_cast<int>(i);
        const int item = model.remoteButtons[i].tag;
        if (item >= 0 && item < static_cast<int>(model.ButtonMenu.size())) {
            SetWindowTextA(view->handle(),
                           model.ButtonMenu[static_cast<std::size_t>(item)].caption.c_str());
        }
        view->cursor = hand;
        view->onClick = [this, index] {
            tmain_.guarded([this, index] { tmain_.dvdbuttonclick(index); });
            reflect();
        };
        view->onMouseMove = [this, index] {
            tmain_.guarded([this, index] { tmain_.dvdbuttonmousemove(index); });
            reflect();
        };
        view->onMouseOver = [this](bool over) { tmain_.bitmapButtonUnderMouse = over; };
        remoteButtons_.push_back(std::move(view));
    }
}

// Rows are set one by one where they differ: typing a wait changes one row's text, not the list.
void MainWindow::reflectClickRows() {
    if (clickList_ == nullptr) return;
    const std::vector<Click>& clicks = tmain_.model.dsm.ClickList;
    if (rowsShown_ && clicks == shownRows_) return;
    updatingList_ = true;
    const std::size_t shown = rowsShown_ ? shownRows_.size() : 0;
    if (!rowsShown_) SendMessageA(clickList_, LVM_DELETEALLITEMS, 0, 0);
    const auto setText = [this](std::size_t row, int column, const std::string& text) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(clickList_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    };
    for (std::size_t i = shown; i > clicks.size(); --i) {
        SendMessageA(clickList_, LVM_DELETEITEM, i - 1, 0);
    }
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        const Click& click = clicks[i];
        if (i >= shown) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>(click.wait.c_str());
            SendMessageA(clickList_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            setText(i, 1, clickListButtonText(click.when, click.button));
            continue;
        }
        const Click& before = shownRows_[i];
        if (before.wait != click.wait) setText(i, 0, click.wait);
        if (before.button != click.button || before.when != click.when) {
            setText(i, 1, clickListButtonText(click.when, click.button));
        }
    }
    updatingList_ = false;
    shownRows_ = clicks;
    rowsShown_ = true;
    // The rows may have moved under the highlight: show the selection anew.
    shownSelection_ = -2;
}

void MainWindow::reflectClickSelection() {
    if (clickList_ == nullptr) return;
    const int selected = tmain_.selectedClick();
    if (selected != shownSelection_) {
        shownSelection_ = selected;
        updatingList_ = true;
        LVITEMA clear{};
        clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(clickList_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&clear));
        if (selected >= 0) {
            LVITEMA select{};
            select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            select.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(clickList_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                         reinterpret_cast<LPARAM>(&select));
        }
        updatingList_ = false;
    }
    // The model scrolls by rows; the list follows it to the same top row.
    const int top = tmain_.model.clickTopRow;
    if (top != shownTopRow_) {
        shownTopRow_ = top;
        const int now = static_cast<int>(SendMessageA(clickList_, LVM_GETTOPINDEX, 0, 0));
        if (now != top) {
            RECT row{};
            row.left = LVIR_BOUNDS;
            SendMessageA(clickList_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
            const int height = row.bottom - row.top;
            if (height > 0) SendMessageA(clickList_, LVM_SCROLL, 0, (top - now) * height);
        }
    }
}

// What the user did to the list (a click on a row or on empty space, keys) becomes the model's
// selection, so the highlight and the click that the menu acts on never differ.
void MainWindow::syncClickSelection() {
    const int highlighted =
        static_cast<int>(SendMessageA(clickList_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                      LVNI_SELECTED));
    shownTopRow_ = static_cast<int>(SendMessageA(clickList_, LVM_GETTOPINDEX, 0, 0));
    tmain_.model.clickTopRow = shownTopRow_;
    if (highlighted == tmain_.selectedClick()) return;
    shownSelection_ = highlighted;
    tmain_.guarded([this, highlighted] { tmain_.selectClick(highlighted); });
    reflect();
}

void MainWindow::reflectRequests() {
    MainModel& model = tmain_.model;
    if (!model.focus.empty()) {
        const std::string focus = model.focus;
        model.focus.clear();
        HWND target = nullptr;
        if (focus == "Notes" && notes_) target = notes_->handle();
        if (focus == "autoexec" && autoexec_) target = autoexec_->handle();
        if (focus == "editwait" && editwait_) target = editwait_->handle();
        if (focus == "ClickList") target = clickList_;
        // A control that has the focus already keeps its caret where the user left it.
        if (target != nullptr) {
            const bool had = GetFocus() == target;
            if (!had) SetFocus(target);
            if (editwait_ && target == editwait_->handle()) {
                // Typing replaces the wait shown, so waits can be typed one after another.
                SendMessageA(target, EM_SETSEL, 0, -1);
            } else if (autoexec_ && target == autoexec_->handle() && model.autoexecCaretAtEnd) {
                const int end = GetWindowTextLengthA(target);
                SendMessageA(target, EM_SETSEL, static_cast<WPARAM>(end), end);
            } else if (!had && target != clickList_) {
                SendMessageA(target, EM_SETSEL, 0, 0);
            }
        }
        model.autoexecCaretAtEnd = false;
    }
    if (model.autoexecCaretHome) {
        model.autoexecCaretHome = false;
        if (autoexec_) SendMessageA(autoexec_->handle(), EM_SETSEL, 0, 0);
    }
    if (model.bringToFront) {
        model.bringToFront = false;
        SetForegroundWindow(window_);
    }
    if (model.showImage4Hint) {
        model.showImage4Hint = false;
        if (tooltip_ != nullptr) popImage4Hint();
    }
    if (model.terminateRequested && !quitPosted_) {
        quitPosted_ = true;
        PostQuitMessage(0);
    }
    if (model.closeRequested && !closePosted_) {
        closePosted_ = true;
        model.closeRequested = false;
        PostMessageA(window_, WM_CLOSE, 0, 0);
    }
}

}  // namespace spindrel
