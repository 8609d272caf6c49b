#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/skin_layout.h"
#include "ui/win32/gdi.h"
#include "ui/win32/tooltips.h"

namespace spindrel {

namespace {
// The grey that shows through the see-through parts of the skin.
constexpr COLORREF kBackground = RGB(128, 128, 128);
constexpr int kDragCursor = -99;
constexpr int kSaveCursor = -98;

COLORREF colour(const skin::Colour& c) { return RGB(c.red, c.green, c.blue); }

RECT rectOf(const Control& control) {
    return {control.left, control.top, control.left + control.width, control.top + control.height};
}

RECT rectOf(const skin::Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

FontHandle makeFont(int height, bool bold, bool italic, const char* face = "Verdana") {
    return FontHandle(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
}

void drawCaption(HDC dc, const Control& label, RECT rect, UINT format, COLORREF textColour) {
    const auto copy = [&](int dx, int dy, COLORREF colour) {
        RECT moved = rect;
        OffsetRect(&moved, dx, dy);
        SetTextColor(dc, colour);
        DrawTextA(dc, label.caption.c_str(), static_cast<int>(label.caption.size()), &moved, format);
    };
    const COLORREF light = RGB(255, 255, 255);
    const COLORREF dark = RGB(0, 0, 0);
    switch (label.captionStyle) {
        case CaptionStyle::none: break;
        case CaptionStyle::shadow: copy(label.shadowOffset, label.shadowOffset, dark); break;
        case CaptionStyle::heavyRaised:
            copy(-2, -2, light);
            copy(2, 2, dark);
            [[fallthrough]];
        case CaptionStyle::lightRaised:
            copy(-1, -1, light);
            copy(1, 1, dark);
            break;
        case CaptionStyle::heavyInset:
            copy(-2, -2, dark);
            copy(2, 2, light);
            [[fallthrough]];
        case CaptionStyle::lightInset:
            copy(-1, -1, dark);
            copy(1, 1, light);
            break;
    }
    copy(0, 0, textColour);
}

void drawText(HDC dc, const Control& label, HFONT font, COLORREF textColour) {
    if (!label.visible || label.caption.empty()) return;
    Selected selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (label.alignment == TextAlign::center) format |= DT_CENTER;
    if (label.alignment == TextAlign::right) format |= DT_RIGHT;
    drawCaption(dc, label, rectOf(label), format, textColour);
}

// A check label: its mark in lime green, in the label's caption style.
void drawCheck(HDC dc, const Control& box, HFONT font) {
    if (box.caption.empty()) return;
    Selected selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    drawCaption(dc, box, rectOf(box), DT_SINGLELINE | DT_NOPREFIX, RGB(0, 255, 0));
}

}  // namespace

MainWindow::MainWindow(Tmain& tmain, Win32System& system) : tmain_(tmain), system_(system) {}

MainWindow::~MainWindow() {
    buttons_.clear();
    panels_.clear();
    smallArea_.reset();
    bigArea_.reset();
}

bool MainWindow::create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) return false;

    labelFont_ = makeFont(-11, false, false, "Tahoma");
    titleFont_ = makeFont(-13, true, false, "Tahoma");
    italicFont_ = makeFont(-12, false, true, "Tahoma");
    markFont_ = makeFont(-16, true, true);
    editFont_ = makeFont(-9, false, false);
    lcdBrush_ = BrushHandle(CreateSolidBrush(colour(skin::kLcdFill)));

    const MainModel& model = tmain_.model;
    // WS_SYSMENU and WS_MINIMIZEBOX give the taskbar button its minimise and restore.
    window_ = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kClassName,
                              model.applicationTitle.c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, model.left,
                              model.top, model.width, model.height, nullptr, nullptr, instance,
                              this);
    if (window_ == nullptr) return false;
    reflect();
    if (tmain_.model.terminateRequested || !tmain_.model.showAllowed) return !quitPosted_;
    buildChildren();
    if (tmain_.model.windowState == WindowState::minimized) {
        minimized_ = true;
        ShowWindow(window_, SW_SHOWMINNOACTIVE);
    } else {
        ShowWindow(window_, SW_SHOW);
        showFirstTime();
    }
    reflect();
    return true;
}

void MainWindow::showFirstTime() {
    if (shown_) return;
    shown_ = true;
    tmain_.guarded([this] { tmain_.FormShow(); });
    reflect();
}

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

void MainWindow::reflectRemoteButtons() {
    MainModel& model = tmain_.model;
    const auto remotePanel = panels_.find(&model.remote_panel);
    if (remotePanel == panels_.end()) return;  // the panels are not built yet
    if (model.remoteButtonsVersion == shownRemoteVersion_) return;
    shownRemoteVersion_ = model.remoteButtonsVersion;
    remoteButtons_.clear();
    HWND remote = remotePanel->second->handle();
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

void MainWindow::reflectClickList() {
    if (clickList_ == nullptr) return;
    const MainModel& model = tmain_.model;
    std::string clicks;
    for (const Click& click : model.dsm.ClickList) clicks += click.wait + '\x1f' + click.button + '\x1e';
    if (clicks != shownClicks_) {
        shownClicks_ = clicks;
        shownSelection_ = -2;
        SendMessageA(clickList_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(clickList_, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < model.dsm.ClickList.size(); ++i) {
            const Click& click = model.dsm.ClickList[i];
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>(click.wait.c_str());
            SendMessageA(clickList_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(click.button.c_str());
            SendMessageA(clickList_, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(clickList_, WM_SETREDRAW, TRUE, 0);
    }
    if (model.clickSelected != shownSelection_) {
        shownSelection_ = model.clickSelected;
        updatingList_ = true;
        LVITEMA clear{};
        clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(clickList_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        if (model.clickSelected >= 0) {
            LVITEMA select{};
            select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            select.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(clickList_, LVM_SETITEMSTATE, static_cast<WPARAM>(model.clickSelected),
                         reinterpret_cast<LPARAM>(&select));
            SendMessageA(clickList_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(model.clickSelected), FALSE);
        }
        updatingList_ = false;
    }
}

void MainWindow::OnNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != clickList_ || clickList_ == nullptr) return;
    if (header->code == LVN_ITEMCHANGED && !updatingList_) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0) {
            shownSelection_ = change->iItem;
            tmain_.guarded([this, change] { tmain_.selectClick(change->iItem); });
            reflect();
        }
    } else if (header->code == NM_RCLICK) {
        showClickMenu();
    }
}

void MainWindow::showClickMenu() {
    tmain_.guarded([this] { tmain_.ClickMenuPopup(); });
    HMENU menu = CreatePopupMenu();
    const std::vector<MenuItem>& items = tmain_.model.ClickMenu;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuA(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), i + 1, item.caption.c_str());
    }
    POINT at;
    GetCursorPos(&at);
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

void MainWindow::paintPanel(HDC dc, int width, int height, const Image& picture,
                            const std::vector<PanelLabel>& labels) {
    RECT all{0, 0, width, height};
    BrushHandle fill(CreateSolidBrush(colour(skin::kPanelFill)));
    FillRect(dc, &all, fill.get());
    if (picture.picture) pictures_.draw(dc, *picture.picture, 0, 0);
    for (const PanelLabel& label : labels) drawText(dc, *label.control, labelFont_.get(), label.colour);
}

void MainWindow::buildChildren() {
    MainModel& m = tmain_.model;
    Tmain& t = tmain_;

    // The small-panel area and its two panels.
    smallArea_ = std::make_unique<Surface>(window_, rectOf(skin::main_form::dead_panel1),
                                           [this](HDC dc, int w, int h) {
                                               RECT all{0, 0, w, h};
                                               BrushHandle fill(CreateSolidBrush(colour(skin::kPanelFill)));
                                               FillRect(dc, &all, fill.get());
                                               if (tmain_.model.logo_pic.picture) {
                                                   pictures_.draw(dc, *tmain_.model.logo_pic.picture, 0, 0);
                                               }
                                           });
    smallArea_->onPress = [this](int, int) { dragWindow(); };
    auto smallPanel = [&](Control& panel, const Image& picture) {
        auto surface = std::make_unique<Surface>(
            smallArea_->handle(), rectOf(panel),
            [this, &picture](HDC dc, int w, int h) { paintPanel(dc, w, h, picture, {}); });
        surface->onPress = [this](int, int) { dragWindow(); };
        HWND handle = surface->handle();
        panels_[&panel] = std::move(surface);
        return handle;
    };
    HWND inactive = smallPanel(m.inactive_panel, m.inactive_pic);
    HWND active = smallPanel(m.active_panel, m.Image4);
    addButton(inactive, m.dvdbtn, [&t] { t.dvdbtnClick(); });
    addButton(active, m.RecBtn, [&t] { t.RecBtnClick(); });
    addButton(active, m.stopbtn, [&t] { t.stopbtnClick(); });
    addButton(active, m.resetbtn, [&t] { t.resetbtnClick(); });
    addButton(active, m.testbtn, [&t] { t.testbtnClick(); });

    // The big-panel area and its six panels.
    bigArea_ = std::make_unique<Surface>(window_, rectOf(skin::main_form::base_panel),
                                         [this](HDC dc, int w, int h) {
                                             RECT all{0, 0, w, h};
                                             BrushHandle fill(CreateSolidBrush(colour(skin::kPanelFill)));
                                             FillRect(dc, &all, fill.get());
                                         });
    auto bigPanel = [&](Control& panel, const Image& picture, std::vector<PanelLabel> labels) {
        auto surface = std::make_unique<Surface>(
            bigArea_->handle(), rectOf(panel),
            [this, &picture, labels](HDC dc, int w, int h) { paintPanel(dc, w, h, picture, labels); });
        surface->onPress = [this](int, int) { dragWindow(); };
        HWND handle = surface->handle();
        panels_[&panel] = std::move(surface);
        return handle;
    };
    const FilePanelModel& files = t.naming.panel();
    const COLORREF onPanel = colour(skin::kPanelText);
    HWND dsm = bigPanel(m.dsm_panel, m.Image1, {{&m.dsm.NoClicks, onPanel}, {&m.dsm.runtime, onPanel}});
    HWND buttonList = bigPanel(m.button_panel, m.Image2,
                               {{&m.buttonlabel, colour(skin::kLcdText)},
                                {&m.next_button, colour(skin::kStatusText)}});
    HWND fileSystem = bigPanel(m.file_panel, m.Image3,
                               {{&m.dsm.dsm_name, colour(skin::kLcdText)},
                                {&files.filesys_hint, colour(skin::kStatusText)}});
    panels_[&m.config_panel] = std::make_unique<Surface>(
        bigArea_->handle(), rectOf(m.config_panel), [this](HDC dc, int w, int h) {
            const MainModel& model = tmain_.model;
            paintPanel(dc, w, h, model.Image5, {});
            for (const Control* box : {&model.cbox_1, &model.cbox_2, &model.cbox_3}) {
                drawCheck(dc, *box, markFont_.get());
            }
        });
    HWND config = panels_[&m.config_panel]->handle();
    HWND remote = bigPanel(m.remote_panel, m.Image6,
                           {{&m.timeindex, colour(skin::kHintText)},
                            {&m.buttonhint, colour(skin::kHintText)}});
    HWND about = bigPanel(m.about_panel, m.Image8, {{&m.myversion, onPanel}});
    (void)remote;

    // The click list, its wait field, and the button name that opens the button menu.
    const RECT listRect = rectOf(skin::button_panel::ClickList);
    clickList_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                                 WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL |
                                     LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                 listRect.left, listRect.top, listRect.right - listRect.left,
                                 listRect.bottom - listRect.top, buttonList, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(clickList_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
    SendMessageA(clickList_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const COLORREF lcd = colour(skin::kLcdFill);
    SendMessageA(clickList_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(lcd));
    SendMessageA(clickList_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(lcd));
    SendMessageA(clickList_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour(skin::kLcdText)));
    const std::pair<const char*, int> columns[] = {{"Wait", 50}, {"Button", 110}};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i].first);
        column.cx = columns[i].second;
        SendMessageA(clickList_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    editwait_ = std::make_unique<EditBox>(buttonList, rectOf(m.editwait), ES_CENTER | ES_AUTOHSCROLL,
                                          labelFont_.get());
    editwait_->onChange = [this] {
        tmain_.guarded([this] { tmain_.editwaitChange(editwait_->text()); });
        reflect();
    };
    editwait_->onKey = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        OnKey(message, wParam, lParam);
    };
    panels_[&m.button_panel]->onPress = [this](int x, int y) {
        const RECT label = rectOf(tmain_.model.buttonlabel);
        const POINT point{x, y};
        if (PtInRect(&label, point)) {
            bool open = false;
            tmain_.guarded([&] { open = tmain_.buttonlabelMouseUp(); });
            if (open) showButtonMenu();
            reflect();
            return;
        }
        dragWindow();
    };

    // The configuration panel's check marks are drawn over its picture; a click toggles them.
    panels_[&m.config_panel]->onPress = [this](int x, int y) {
        MainModel& model = tmain_.model;
        const Control* boxes[] = {&model.cbox_1, &model.cbox_2, &model.cbox_3};
        for (int tag = 0; tag < 3; ++tag) {
            const RECT box = rectOf(*boxes[tag]);
            const POINT point{x, y};
            if (PtInRect(&box, point)) {
                tmain_.guarded([this, tag] { tmain_.checkbox_change(tag); });
                reflect();
                return;
            }
        }
        dragWindow();
    };

    // The program box: typed, pasted or dropped, every change asks for a save.
    autoexec_ = std::make_unique<EditBox>(config, rectOf(m.autoexec), ES_AUTOHSCROLL,
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
    autoexec_->onKey = [this](UINT message, WPARAM wParam, LPARAM lParam) {
        OnKey(message, wParam, lParam);
    };

    // The author's notes: at most 200 typed characters, long lines wrapped.
    notes_ = std::make_unique<EditBox>(dsm, rectOf(skin::dsm_panel::Notes),
                                       ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                       labelFont_.get());
    SendMessageA(notes_->handle(), EM_LIMITTEXT, kNotesMaxLength, 0);
    notes_->onChange = [this] {
        tmain_.guarded([this] { tmain_.document.notesChanged(notes_->lines()); });
        reflect();
    };
    notes_->onKey = autoexec_->onKey;

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
    for (const auto& [panel, name] : names) {
        const auto found = panels_.find(panel);
        if (found != panels_.end()) SetWindowTextA(found->second->handle(), name);
    }
}

void MainWindow::addHint(HWND control, const std::string& text) {
    setControlTip(tooltip_, control, text, hints_.count(control) != 0);
    hints_[control] = text;
}

void MainWindow::reflectLabelHints() {
    // Labels are drawn, not windows: their hints are areas of the window that owns them.
    const MainModel& model = tmain_.model;
    const Control* labels[] = {&model.disc.DVD_Title, &model.disc.Shape3, &model.dsm.ModLabel};
    for (UINT_PTR id = 0; id < std::size(labels); ++id) {
        const Control& label = *labels[id];
        const std::string text = label.visible ? label.hint : std::string();
        std::string& shown = labelHints_[id];
        if (text == shown && labelHintsAdded_) continue;
        setAreaTip(tooltip_, window_, id + 1, rectOf(label), text, labelHintsAdded_);
        shown = text;
    }
    labelHintsAdded_ = true;
}

void MainWindow::reflectHints() {
    if (tooltip_ == nullptr) return;
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, tmain_.model.hintHidePause);
    reflectLabelHints();
    for (const auto& view : buttons_) {
        const std::string& hint = view->button().hint;
        const auto known = hints_.find(view->handle());
        if (known == hints_.end() ? !hint.empty() : known->second != hint) {
            addHint(view->handle(), hint);
        }
    }
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

void MainWindow::reflect() {
    if (window_ == nullptr) return;
    MainModel& model = tmain_.model;
    if (model.applicationTitle != shownTitle_) {
        shownTitle_ = model.applicationTitle;
        SetWindowTextA(window_, shownTitle_.c_str());
    }
    RECT rect;
    GetWindowRect(window_, &rect);
    if (!minimized_ && (rect.left != model.left || rect.top != model.top ||
                        rect.right - rect.left != model.width ||
                        rect.bottom - rect.top != model.height)) {
        SetWindowPos(window_, nullptr, model.left, model.top, model.width, model.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyRegion();

    // An instant switch holds the painting of the big-panel area until it is done.
    if (bigArea_ && model.bigPanelAreaFrozen != frozen_) {
        frozen_ = model.bigPanelAreaFrozen;
        SendMessageA(bigArea_->handle(), WM_SETREDRAW, frozen_ ? FALSE : TRUE, 0);
        if (!frozen_) {
            RedrawWindow(bigArea_->handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
    for (auto& [control, surface] : panels_) {
        HWND panel = surface->handle();
        RECT now;
        GetWindowRect(panel, &now);
        MapWindowPoints(nullptr, GetParent(panel), reinterpret_cast<POINT*>(&now), 2);
        if (now.left != control->left || now.top != control->top) {
            SetWindowPos(panel, nullptr, control->left, control->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        EnableWindow(panel, control->enabled);
    }
    for (auto& view : buttons_) view->reflect();
    reflectRemoteButtons();
    for (auto& view : remoteButtons_) view->reflect();
    reflectClickList();
    reflectEditors();
    reflectHints();

    // Labels are drawn by their panels: repaint when what they show has changed.
    std::string labels;
    const DiscModel& disc = model.disc;
    labels += disc.DVD_Title.caption + '\x1f' + disc.DVD_Serial.caption + '\x1f' +
              (disc.DVD_Title.italic ? "i" : "") + '\x1f';
    for (const Control& led : disc.RegionLED) labels += led.visible ? '1' : '0';
    labels += model.dsm.ModLabel.visible ? "m" : "";
    labels += '\x1f' + model.dsm.dsm_name.caption + (model.dsm.dsm_name.visible ? "v" : "") +
              '\x1f' + tmain_.naming.panel().filesys_hint.caption;
    labels += '\x1f' + model.dsm.NoClicks.caption + '\x1f' + model.dsm.runtime.caption;
    labels += '\x1f' + model.cbox_1.caption + model.cbox_2.caption + model.cbox_3.caption;
    labels += '\x1f' + model.myversion.caption;
    labels += model.CoolForm1.picture ? "p" : "";
    if (labels != shownLabels_) {
        shownLabels_ = labels;
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

    if (!model.focus.empty()) {
        EditBox* target = model.focus == "Notes" ? notes_.get()
                          : model.focus == "autoexec" ? autoexec_.get()
                                                      : nullptr;
        if (target != nullptr) {
            SetFocus(target->handle());
            const int end = GetWindowTextLengthA(target->handle());
            const int caret = target == autoexec_.get() && model.autoexecCaretAtEnd ? end : 0;
            SendMessageA(target->handle(), EM_SETSEL, static_cast<WPARAM>(caret), caret);
        }
        model.focus.clear();
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

void MainWindow::paint(HDC dc) {
    const MainModel& model = tmain_.model;
    RECT client;
    GetClientRect(window_, &client);
    BrushHandle background(CreateSolidBrush(kBackground));
    FillRect(dc, &client, background.get());
    if (model.CoolForm1.picture) {
        const Bitmap& picture = *model.CoolForm1.picture;
        pictures_.drawKeyed(dc, picture, 0, 0, picture.bottomLeft());
    }
    if (model.regionLed.picture) {
        for (const Control& led : model.disc.RegionLED) {
            if (led.visible) pictures_.draw(dc, *model.regionLed.picture, led.left, led.top);
        }
    }
    const DiscModel& disc = model.disc;
    drawText(dc, disc.DVD_Title, disc.DVD_Title.italic ? italicFont_.get() : titleFont_.get(),
             colour(skin::kLcdText));
    drawText(dc, disc.DVD_Serial, titleFont_.get(), colour(skin::kLcdText));
    if (model.dsm.ModLabel.visible) {
        drawText(dc, model.dsm.ModLabel, titleFont_.get(), colour(skin::kModifiedMark));
    }
}

void MainWindow::dragWindow() {
    ReleaseCapture();
    SendMessageA(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
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

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        Background::attach(window, self);
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->dispatch(message, wParam, lParam);
}

LRESULT MainWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    switch (message) {
        case WM_CREATE:
            handled = OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
            break;
        case WM_CLOSE: handled = OnClose(); break;
        case WM_DESTROY: handled = OnDestroy(); break;
        case WM_MOVE: handled = OnMove(); break;
        case WM_SIZE: handled = OnSize(wParam); break;
        case WM_PAINT: handled = OnPaint(); break;
        case WM_SETCURSOR: handled = OnSetCursor(lParam); break;
        case WM_LBUTTONDOWN: handled = OnLeftButtonDown(); break;
        case WM_ERASEBKGND: return 1;
        case WM_CTLCOLOREDIT: {
            LRESULT brush = 0;
            OnCtlColor(reinterpret_cast<HDC>(wParam), brush);
            return brush;
        }
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY:
            OnNotify(lParam);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // Bit 29 of a key message tells that Alt was held when the key went down.
            const bool alt = (lParam & (LPARAM{1} << 29)) != 0;
            tmain_.guarded([&] { tmain_.FormKeyDown(static_cast<int>(wParam), alt); });
            reflect();
            break;
        }
        case WM_CHAR:
            tmain_.guarded([&] { tmain_.FormKeyPress(static_cast<char>(wParam)); });
            reflect();
            handled = true;
            break;
        default: break;
    }
    if (handled) return 0;
    return DefWindowProcA(window_, message, wParam, lParam);
}

bool MainWindow::OnCreate(HINSTANCE instance) {
    // The handles are stored in 32 bits for the other copies; Windows keeps window handles
    // within 32 bits, and the instance handle is only passed on, never used.
    tmain_.create(static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(instance)),
                  static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(window_)));
    return true;
}

bool MainWindow::OnClose() {
    bool mayClose = false;
    tmain_.guarded([&] { mayClose = tmain_.FormCloseQuery(); });
    closePosted_ = false;
    if (!mayClose) return true;
    tmain_.guarded([this] { tmain_.FormClose(); });
    DestroyWindow(window_);
    return true;
}

bool MainWindow::OnDestroy() {
    if (!quitPosted_) {
        quitPosted_ = true;
        PostQuitMessage(0);
    }
    return true;
}

bool MainWindow::OnMove() {
    if (minimized_ || IsIconic(window_)) return false;
    RECT rect;
    GetWindowRect(window_, &rect);
    tmain_.moved(rect.left, rect.top);
    return false;
}

bool MainWindow::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && !minimized_) {
        minimized_ = true;
        tmain_.guarded([this] { tmain_.ApplicationMinimize(); });
    } else if (kind == SIZE_RESTORED && minimized_) {
        minimized_ = false;
        tmain_.model.windowState = WindowState::normal;
        showFirstTime();
        tmain_.guarded([this] { tmain_.ApplicationRestore(); });
        reflect();
    }
    return false;
}

bool MainWindow::OnPaint() {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window_, &paintStruct);
    RECT client;
    GetClientRect(window_, &client);
    {
        MemoryDc buffer(dc, client.right, client.bottom);
        paint(buffer.get());
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window_, &paintStruct);
    return true;
}

bool MainWindow::OnSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    const RECT mark = rectOf(tmain_.model.dsm.ModLabel);
    const bool overMark = tmain_.model.dsm.ModLabel.visible && PtInRect(&mark, point);
    HCURSOR cursor = system_.cursor(overMark ? kSaveCursor : kDragCursor);
    if (cursor == nullptr) return false;
    SetCursor(cursor);
    return true;
}

// The bare window is the handle to drag it by; the modified mark saves.
bool MainWindow::OnLeftButtonDown() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    const RECT mark = rectOf(tmain_.model.dsm.ModLabel);
    if (tmain_.model.dsm.ModLabel.visible && PtInRect(&mark, point)) {
        tmain_.guarded([this] { tmain_.naming.savebtnClick(); });
        reflect();
        return true;
    }
    dragWindow();
    return true;
}

void MainWindow::reflectEditors() {
    if (!autoexec_) return;
    const MainModel& model = tmain_.model;
    autoexec_->show(model.autoexec.caption);
    std::string notes;
    for (std::size_t i = 0; i < model.dsm.Notes.size(); ++i) {
        notes += (i == 0 ? "" : "\r\n") + model.dsm.Notes[i];
    }
    // The memo's own lines are wrapped: compare what it would give back, not the raw text.
    if (notes_->lines() != model.dsm.Notes) notes_->show(notes);
    if (editwait_) {
        editwait_->show(model.editwait.caption);
        EnableWindow(editwait_->handle(), model.editwait.enabled);
    }
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (editwait_ && control == editwait_->handle()) {
        if (HIWORD(wParam) == EN_SETFOCUS) tmain_.guarded([this] { tmain_.editwaitEnter(); });
        if (HIWORD(wParam) == EN_KILLFOCUS) tmain_.guarded([this] { tmain_.editwaitExit(); });
        if (HIWORD(wParam) == EN_CHANGE) editwait_->changed();
        return;
    }
    if (HIWORD(wParam) != EN_CHANGE) return;
    if (autoexec_ && control == autoexec_->handle()) autoexec_->changed();
    if (notes_ && control == notes_->handle()) notes_->changed();
}

void MainWindow::OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        const char typed = static_cast<char>(wParam);
        // Only the window's own shortcuts: typed text belongs to the control.
        if (typed == 1 || typed == 19) {
            tmain_.guarded([&] { tmain_.FormKeyPress(typed); });
        }
    } else {
        const bool alt = (lParam & (LPARAM{1} << 29)) != 0;
        tmain_.guarded([&] { tmain_.FormKeyDown(static_cast<int>(wParam), alt); });
    }
    reflect();
}

bool MainWindow::OnCtlColor(HDC dc, LRESULT& brush) {
    SetTextColor(dc, colour(skin::kLcdText));
    SetBkColor(dc, colour(skin::kLcdFill));
    brush = reinterpret_cast<LRESULT>(lcdBrush_.get());
    return true;
}

}  // namespace spindrel
