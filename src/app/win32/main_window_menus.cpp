// MainWindow: the popup menus, built from the model's items each time they open.

#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

namespace spindrel {

// From the keyboard the menu opens at the selected row when the list shows it, else at the
// list's corner: there is no pointer position that means anything.
POINT MainWindow::clickMenuPlace(LPARAM where) const {
    if (where != -1)
        return {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    POINT at{0, 0};
    const int selected = tmain_.selectedClick();
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    RECT client;
    GetClientRect(clickList_, &client);
    RECT shown;
    if (selected >= 0 &&
        SendMessageA(clickList_, LVM_GETITEMRECT, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&row)) != 0 &&
        IntersectRect(&shown, &row, &client)) {
        at = {shown.left, shown.bottom};
    }
    ClientToScreen(clickList_, &at);
    return at;
}

void MainWindow::showClickMenu(LPARAM where) {
    const POINT at = clickMenuPlace(where);
    tmain_.guarded([this] { tmain_.ClickMenuPopup(); });
    HMENU menu = CreatePopupMenu();
    const std::vector<MenuItem>& items = tmain_.model.ClickMenu;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuA(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0),
                    i + 1, item.caption.c_str());
    }
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen <= 0) return;
    const std::string name = items[static_cast<std::size_t>(chosen - 1)].name;
    tmain_.guarded([this, &name] {
        if (name == "new_append") tmain_.new_appendClick();
        if (name == "new_insert") tmain_.new_insertClick();
        if (name == "delete_click") tmain_.delete_clickClick();
        if (name == "delete_all") tmain_.delete_allClick();
        if (name == "continue_macro") tmain_.continue_macroClick();
        if (name == "press_one") tmain_.press_oneClick();
        if (name == "copydsm") tmain_.copydsmClick();
        if (name == "pastedsm") tmain_.pastedsmClick();
        if (name == "when_menu") tmain_.when_menuClick();
        if (name == "when_title") tmain_.when_titleClick();
        if (name == "when_none") tmain_.when_noneClick();
    });
    reflect();
}

void MainWindow::showButtonMenu() {
    tmain_.guarded([this] { tmain_.ButtonMenuPopup(); });
    HMENU menu = CreatePopupMenu();
    const std::vector<ButtonMenuItem>& items = tmain_.model.ButtonMenu;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ButtonMenuItem& item = items[i];
        UINT flags = item.caption == "-" ? MF_SEPARATOR : MF_STRING;
        if (item.breakColumn) flags |= MF_MENUBARBREAK;
        if (item.checked) flags |= MF_CHECKED;
        AppendMenuA(menu, flags, i + 1, item.caption == "-" ? nullptr : item.caption.c_str());
        if (item.isDefault) SetMenuDefaultItem(menu, static_cast<UINT>(i + 1), FALSE);
    }
    POINT at;
    GetCursorPos(&at);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen > 0) tmain_.guarded([this, chosen] { tmain_.ButtonSelected(chosen - 1); });
    reflect();
}

// Opens below the player's name, as a drop-down list would.
void MainWindow::showPlayerMenu() {
    tmain_.guarded([this] { tmain_.playerlabelClick(); });
    const MainModel& model = tmain_.model;
    HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < model.playermenu.size(); ++i) {
        const MenuItem& item = model.playermenu[i];
        AppendMenuA(menu, MF_STRING | (item.checked ? MF_CHECKED : 0), i + 1,
                    item.caption.c_str());
    }
    HWND panel = panels_.at(&tmain_.model.config_panel)->handle();
    POINT at{model.playerlabel.left, model.playerlabel.top + model.playerlabel.height};
    ClientToScreen(panel, &at);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                                      at.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen > 0) tmain_.guarded([this, chosen] { tmain_.playermenuClick(chosen - 1); });
    reflect();
}

void MainWindow::showSpindrelMenu() {
    const MainModel& model = tmain_.model;
    HWND button = nullptr;
    for (const auto& view : buttons_) {
        if (&view->button() == &model.spindrelbtn) button = view->handle();
    }
    HMENU menu = CreatePopupMenu();
    const std::vector<MenuItem>& items = model.spindrelmenu;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, MF_STRING, i + 1, items[i].caption.c_str());
        }
    }
    POINT at{model.spindrelmenuAnchor.x, model.spindrelmenuAnchor.y};
    ClientToScreen(button, &at);
    const UINT align = model.spindrelmenuAnchor.rightAligned ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const int chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | align | TPM_TOPALIGN, at.x, at.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen <= 0) return;
    const MenuItem item = items[static_cast<std::size_t>(chosen - 1)];
    if (item.name == "OptionA1" || item.name == "OptionB1") tmain_.setup_spindrel(item.tag);
}

void MainWindow::showPanelMenu() {
    tmain_.panelselect_menuPopup();
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : tmain_.model.panelselect_menu) {
        UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) |
                     (item.checked ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.tag), item.caption.c_str());
        if (item.isDefault) SetMenuDefaultItem(menu, static_cast<UINT>(item.tag), FALSE);
    }
    POINT at{2, 2};
    ClientToScreen(bigArea_->handle(), &at);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                                      at.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen > 0) tmain_.guarded([this, chosen] { tmain_.HideSlide(chosen); });
}

}  // namespace spindrel
