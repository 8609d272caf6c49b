// MainWindow: the child windows (panels, labels, buttons, the click list, the edit boxes) and
// what their events call.


#include <tuple>
#include <vector>

#include "app/win32/main_window.h"

#include <commctrl.h>
#include "macro/dsm_document.h"
#include "ui/skin_layout.h"
#include "ui/win32/gdi.h"
#include "ui/win32/tooltips.h"

namespace spindrel {

namespace {

COLORREF colour(const skin::Colour& c) { return RGB(c.red, c.green, c.blue); }

RECT rectOf(const Control& control) {
    return {control.left, control.top, control.left + control.width, control.top + control.height};
}

RECT rectOf(const skin::Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

// The click list shows six rows in its height: its font is chosen so that they fit.
constexpr int kWaitColumn = 35;
constexpr int kButtonColumn = 106;
constexpr int kWaitMaxLength = 6;
constexpr const char* kClickListOwner = "SpindrelClickListOwner";
constexpr int kSaveCursor = -98;
// The configuration panel's clickable part that is not one of its three check boxes.
constexpr int kPlayerPart = 3;

LRESULT CALLBACK clickListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

CoolButtonView& MainWindow::addButton(HWND parent, CoolButton& button,
                                      std::function<void()> onClick) {
    buttons_.push_back(std::make_unique<CoolButtonView>(parent, button, pictures_));
    CoolButtonView& view = *buttons_.back();
    view.onClick = [this, onClick = std::move(onClick)] {
        tmain_.guarded(onClick);
        reflect();
    };
    view.onMouseOver = [this](bool over) { tmain_.bitmapButtonUnderMouse = over; };
    return view;
}

LabelView& MainWindow::addLabel(HWND parent, const Control& label, const LabelLook& look) {
    labels_.push_back(std::make_unique<LabelView>(parent, label, look));
    return *labels_.back();
}

void MainWindow::paintPanel(HDC dc, int width, int height, const Image& picture) {
    RECT all{0, 0, width, height};
    BrushHandle fill(CreateSolidBrush(colour(skin::kPanelFill)));
    FillRect(dc, &all, fill.get());
    if (picture.picture) pictures_.draw(dc, *picture.picture, 0, 0);
}

void MainWindow::buildChildren() {
    MainModel& m = tmain_.model;
    Tmain& t = tmain_;

    // The small-panel area and its two panels.
    smallArea_ = std::make_unique<Surface>(window_, rectOf(skin::main_form::dead_panel1),
                                           [this](HDC dc, int w, int h) {
                                               paintPanel(dc, w, h, tmain_.model.logo_pic);
                                           });
    smallArea_->onPress = [this](int, int) { dragWindow(); };
    auto panel = [&](HWND parent, Control& control, const Image& picture) {
        auto surface = std::make_unique<Surface>(
            parent, rectOf(control),
            [this, &picture](HDC dc, int w, int h) { paintPanel(dc, w, h, picture); });
        surface->onPress = [this](int, int) { dragWindow(); };
        HWND handle = surface->handle();
        panels_[&control] = std::move(surface);
        return handle;
    };
    HWND inactive = panel(smallArea_->handle(), m.inactive_panel, m.inactive_pic);
    HWND active = panel(smallArea_->handle(), m.active_panel, m.Image4);
    addButton(inactive, m.dvdbtn, [&t] { t.dvdbtnClick(); });
    addButton(active, m.RecBtn, [&t] { t.RecBtnClick(); });
    addButton(active, m.stopbtn, [&t] { t.stopbtnClick(); });
    addButton(active, m.resetbtn, [&t] { t.resetbtnClick(); });
    addButton(active, m.testbtn, [&t] { t.testbtnClick(); });

    // The big-panel area and its six panels.
    bigArea_ = std::make_unique<Surface>(window_, rectOf(skin::main_form::base_panel),
                                         [this](HDC dc, int w, int h) {
                                             paintPanel(dc, w, h, Image{});
                                         });
    HWND big = bigArea_->handle();
    HWND dsm = panel(big, m.dsm_panel, m.Image1);
    HWND buttonList = panel(big, m.button_panel, m.Image2);
    HWND fileSystem = panel(big, m.file_panel, m.Image3);
    HWND config = panel(big, m.config_panel, m.Image5);
    HWND remote = panel(big, m.remote_panel, m.Image6);
    HWND about = panel(big, m.about_panel, m.Image8);

    // The labels: each a window over its panel's picture.
    const FilePanelModel& files = t.naming.panel();
    const LabelLook onPanel{labelFont_.get(), nullptr, colour(skin::kPanelText), false};
    const LabelLook lcd{labelFont_.get(), nullptr, colour(skin::kLcdText), false};
    const LabelLook status{labelFont_.get(), nullptr, colour(skin::kStatusText), false};
    const LabelLook hint{labelFont_.get(), nullptr, colour(skin::kHintText), false};
    const LabelLook check{markFont_.get(), nullptr, RGB(0, 255, 0), true};
    addLabel(window_, m.disc.DVD_Title, {plainTitleFont_.get(), italicFont_.get(),
                                         colour(skin::kLcdText), false});
    // Plain, as the title: in bold the identity's nine characters do not fit the label.
    addLabel(window_, m.disc.DVD_Serial,
             {plainTitleFont_.get(), nullptr, colour(skin::kLcdText), false});
    buildModifiedMark();
    addLabel(dsm, m.dsm.NoClicks, onPanel);
    addLabel(dsm, m.dsm.runtime, onPanel);
    addLabel(buttonList, m.buttonlabel, lcd);
    addLabel(buttonList, m.next_button, status);
    addLabel(fileSystem, m.dsm.dsm_name, lcd);
    addLabel(fileSystem, files.filesys_hint, status);
    addLabel(config, m.cbox_1, check);
    addLabel(config, m.cbox_2, check);
    addLabel(config, m.cbox_3, check);
    addLabel(config, m.playerlabel, lcd);
    addLabel(remote, m.timeindex, hint);
    addLabel(remote, m.buttonhint, hint);
    addLabel(about, m.myversion, onPanel);

    buildClickList(buttonList);
    buildEditors(dsm, buttonList, config);

    // The button name opens the button menu and the check labels toggle on a click, a press and
    // a release over the same label, so a press that slides off picks nothing.
    panels_[&m.button_panel]->clickPartAt = [this](int x, int y) {
        const RECT label = rectOf(tmain_.model.buttonlabel);
        return PtInRect(&label, POINT{x, y}) ? 0 : -1;
    };
    panels_[&m.button_panel]->onClick = [this](int, MouseButton) {
        bool open = false;
        tmain_.guarded([&] { open = tmain_.buttonlabelMouseUp(); });
        if (open)
            showButtonMenu();
        reflect();
    };
    panels_[&m.button_panel]->cursorAt = [this](int x, int y) -> HCURSOR {
        const RECT label = rectOf(tmain_.model.buttonlabel);
        return PtInRect(&label, POINT{x, y}) ? cursorOf(tmain_.model.buttonlabelCursor) : nullptr;
    };
    const auto boxAt = [this](int x, int y) {
        MainModel& model = tmain_.model;
        const Control* boxes[] = {&model.cbox_1, &model.cbox_2, &model.cbox_3};
        for (int tag = 0; tag < 3; ++tag) {
            const RECT box = rectOf(*boxes[tag]);
            if (PtInRect(&box, POINT{x, y})) return tag;
        }
        const RECT player = rectOf(model.playerlabel);
        return PtInRect(&player, POINT{x, y}) ? kPlayerPart : -1;
    };
    panels_[&m.config_panel]->clickPartAt = boxAt;
    panels_[&m.config_panel]->onClick = [this](int tag, MouseButton button) {
        if (button != MouseButton::left)
            return;
        if (tag == kPlayerPart) {
            showPlayerMenu();
            return;
        }
        tmain_.guarded([this, tag] { tmain_.checkbox_change(tag); });
        reflect();
    };
    panels_[&m.config_panel]->cursorAt = [this, boxAt](int x, int y) -> HCURSOR {
        return boxAt(x, y) >= 0 ? cursorOf(CursorShape::hand) : nullptr;
    };

    auto panelMenu = [this] { showPanelMenu(); };
    addButton(dsm, m.dsmbtn, panelMenu);
    addButton(buttonList, m.buttonbtn, panelMenu);
    addButton(fileSystem, m.filesysbtn, panelMenu);
    addButton(config, m.configbtn, panelMenu);
    addButton(about, m.aboutbtn, panelMenu);
    // Over a file button the panel's hint line tells what it does; elsewhere it is empty.
    auto hintLine = [this](CoolButtonView& view) {
        view.onMouseMove = [this, &view] {
            tmain_.naming.panel().mouseMoveOver(view.button().tag);
            reflect();
        };
    };
    hintLine(addButton(fileSystem, m.newbtn, [&t] { t.naming.newbtnClick(); }));
    hintLine(addButton(fileSystem, m.openbtn, [&t] { t.naming.openbtnClick(); }));
    hintLine(addButton(fileSystem, m.savebtn, [&t] { t.naming.savebtnClick(); }));
    hintLine(addButton(fileSystem, m.makenamebtn, [&t] { t.naming.makenamebtnClick(); }));
    hintLine(addButton(fileSystem, m.clearnamebtn, [&t] { t.naming.clearnamebtnClick(); }));
    panels_[&m.file_panel]->onMouseMove = [this] {
        tmain_.naming.panel().mouseMoveOver(0);
        reflect();
    };
    addButton(config, m.optionabtn, [&t] { t.optionabtnClick(); });
    addButton(config, m.optionbbtn, [&t] { t.optionbbtnClick(); });
    addButton(config, m.spindrelbtn, [this] { showSpindrelMenu(); });
    addButton(config, m.autoplaybtn, [&t] { t.autoplaybtnClick(); });

    // The window's own buttons.
    addButton(window_, m.refreshbtn, [&t] { t.disc.refreshbtnClick(); });
    addButton(window_, m.closebtn, [this] { PostMessageA(window_, WM_CLOSE, 0, 0); });
    addButton(window_, m.minimizebtn, [this] { ShowWindow(window_, SW_MINIMIZE); });

    tooltip_ = createTooltip(window_, 400);

    // Panels carry their names as window texts, for accessibility tools and for tests that find
    // a panel from outside the program.
    const std::pair<const Control*, const char*> names[] = {
        {&m.inactive_panel, "inactive_panel"}, {&m.active_panel, "active_panel"},
        {&m.dsm_panel, "dsm_panel"},           {&m.button_panel, "button_panel"},
        {&m.file_panel, "file_panel"},         {&m.config_panel, "config_panel"},
        {&m.remote_panel, "remote_panel"},     {&m.about_panel, "about_panel"}};
    for (const auto& [control, name] : names) SetWindowTextA(panels_[control]->handle(), name);

    bindChildren();
    bindHints();
}

// The modified mark lies over the big-panel area's corner: above the area, showing the panels
// beneath it, and taking its clicks itself, which save.
void MainWindow::buildModifiedMark() {
    LabelView& mark = addLabel(window_, tmain_.model.dsm.ModLabel,
                               {titleFont_.get(), nullptr, colour(skin::kModifiedMark), false});
    mark_ = &mark;
    mark.backdrop = [this](HDC dc) { paintUnderMark(dc); };
    mark.cursor = system_.cursor(kSaveCursor);
    mark.onClick = [this] {
        tmain_.guarded([this] { tmain_.naming.savebtnClick(); });
        reflect();
    };
    SetWindowPos(mark.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::paintUnderMark(HDC dc) const {
    RECT at;
    GetWindowRect(mark_->handle(), &at);
    HWND area = bigArea_->handle();
    // Its panels from the top of their order down, then the area: painted in reverse.
    std::vector<HWND> layers;
    for (HWND child = GetWindow(area, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        layers.push_back(child);
    }
    layers.push_back(area);
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
        HWND layer = *it;
        Background* background = Background::of(layer);
        if (background == nullptr || !IsWindowVisible(layer)) continue;
        RECT place;
        GetWindowRect(layer, &place);
        POINT previous;
        SetViewportOrgEx(dc, place.left - at.left, place.top - at.top, &previous);
        background->paint(dc);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    }
}

void MainWindow::buildClickList(HWND parent) {
    const RECT rect = rectOf(skin::button_panel::ClickList);
    clickList_ = CreateWindowExA(0, WC_LISTVIEWA, "ClickList",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                     LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER,
                                 rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(clickList_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    SendMessageA(clickList_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
    const COLORREF fill = colour(skin::kLcdFill);
    SendMessageA(clickList_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(fill));
    SendMessageA(clickList_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(fill));
    SendMessageA(clickList_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour(skin::kLcdText)));
    const std::pair<const char*, int> columns[] = {{"Wait", kWaitColumn},
                                                   {"Button", kButtonColumn}};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i].first);
        column.cx = columns[i].second;
        SendMessageA(clickList_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    // The list's keys reach the window's shortcuts too.
    SetPropA(clickList_, kClickListOwner, this);
    clickListProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        clickList_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&clickListKeys)));
}

namespace {

LRESULT CALLBACK clickListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = static_cast<MainWindow*>(GetPropA(list, kClickListOwner));
    if (owner == nullptr) return DefWindowProcA(list, message, wParam, lParam);
    return owner->clickListMessage(list, message, wParam, lParam);
}

}  // namespace

LRESULT MainWindow::clickListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        RemovePropA(list, kClickListOwner);
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clickListProc_));
        return CallWindowProcA(clickListProc_, list, message, wParam, lParam);
    }
    // The right button, the Menu key and Shift+F10 all come here, as in any Windows list.
    if (message == WM_CONTEXTMENU) {
        showClickMenu(lParam);
        return 0;
    }
    const LRESULT result = CallWindowProcA(clickListProc_, list, message, wParam, lParam);
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR) {
        OnKey(message, wParam, lParam);
    }
    noteClickListTopRow();
    return result;
}

// The wheel, the scroll bar, the keys and the list's own scrolling into view all move the top
// row without a word to the window; the core scrolls from the row the user really sees. Rows
// being set from the model are not the user's scrolling: the core has its own top row for them.
void MainWindow::noteClickListTopRow() {
    if (readingTopRow_ || updatingList_)
        return;
    readingTopRow_ = true;
    const int top = static_cast<int>(SendMessageA(clickList_, LVM_GETTOPINDEX, 0, 0));
    readingTopRow_ = false;
    if (top == shownTopRow_)
        return;
    shownTopRow_ = top;
    tmain_.model.clickTopRow = top;
}

void MainWindow::buildEditors(HWND dsmPanel, HWND buttonPanel, HWND configPanel) {
    const MainModel& m = tmain_.model;
    editwait_ = std::make_unique<EditBox>(buttonPanel, rectOf(m.editwait),
                                          ES_CENTER | ES_AUTOHSCROLL, waitFont_.get());
    SetWindowLongPtrA(editwait_->handle(), GWL_STYLE,
                      GetWindowLongPtrA(editwait_->handle(), GWL_STYLE) | WS_TABSTOP);
    SendMessageA(editwait_->handle(), EM_LIMITTEXT, kWaitMaxLength, 0);
    editwait_->onChange = [this] {
        tmain_.guarded([this] { tmain_.editwaitChange(editwait_->text()); });
        reflect();
    };
    editwait_->onKey = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_KEYUP) {
            tmain_.guarded([&] { tmain_.editwaitKeyUp(static_cast<int>(wParam)); });
            reflect();
            return;
        }
        OnKey(message, wParam, lParam);
    };
    editwait_->cursor = [this] { return cursorOf(tmain_.model.editwaitCursor); };

    // The program box: typed, pasted or dropped, every change asks for a save.
    autoexec_ = std::make_unique<EditBox>(configPanel, rectOf(m.autoexec), ES_AUTOHSCROLL,
                                          editFont_.get());
    autoexec_->onChange = [this] {
        tmain_.guarded([this] { tmain_.autoexecChange(autoexec_->text()); });
        reflect();
    };
    autoexec_->acceptFiles(true);
    autoexec_->onFilesDropped = [this](const std::vector<std::string>& dropped) {
        tmain_.guarded([&] { tmain_.DropWatchFilesDropped(dropped); });
        reflect();
    };
    // The program box keeps its keys to itself: Ctrl+A there is the edit box's own select-all,
    // not a jump to the notes, and Alt+letters or Ctrl+S do not act behind the user's back while
    // a path is being typed.

    // The author's notes: at most 200 typed characters, long lines wrapped.
    notes_ = std::make_unique<EditBox>(dsmPanel, rectOf(skin::dsm_panel::Notes),
                                       ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                       labelFont_.get());
    SendMessageA(notes_->handle(), EM_LIMITTEXT, kNotesMaxLength, 0);
    notes_->onChange = [this] {
        tmain_.guarded([this] { tmain_.document.notesChanged(notes_->lines()); });
        reflect();
    };
    notes_->onKey = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_KEYUP)
            OnKey(message, wParam, lParam);
    };
}

}  // namespace spindrel
