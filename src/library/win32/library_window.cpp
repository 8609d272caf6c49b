// LibraryWindow: creation, the modal run, painting and the reflection of the model.

#include "library/win32/library_window.h"

#include <commctrl.h>

#include <iterator>

#include "library/library_texts.h"
#include "ui/skin_layout.h"
#include "ui/win32/tooltips.h"

namespace spindrel {

namespace {

constexpr COLORREF colour(const skin::Colour& c) {
    return RGB(c.red, c.green, c.blue);
}
constexpr COLORREF kLabelText = RGB(228, 232, 238);
constexpr int kFramePen = 10;
constexpr int kFrameCorner = 30;
constexpr DWORD kFramePause = 15;
constexpr int kPanelShadow = 3;
constexpr int kPanelCorner = 12;

enum ChildId : int { kGridId = 100, kNamefieldId, kQuicksrchId };
enum TipId : UINT_PTR { kSortfileTip = 1, kSortdescTip };

FontHandle makeFont(int height, bool bold, bool underline, const char* face, BYTE charset) {
    return FontHandle(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline,
                                  FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  ANTIALIASED_QUALITY, DEFAULT_PITCH, face));
}

RECT rectOf(const Control& control) {
    return {control.left, control.top, control.left + control.width, control.top + control.height};
}

// The indicator's shape as Wingdings draws it: a broad arrow pointing down.
void drawDownArrow(HDC dc, const RECT& area) {
    const int x = (area.left + area.right) / 2;
    const int top = area.top + 2;
    const int bottom = area.bottom - 2;
    const int shaft = 2;
    const int head = 5;
    const int neck = bottom - head;
    const POINT outline[] = {{x - shaft, top}, {x + shaft, top}, {x + shaft, neck},
                             {x + head, neck}, {x, bottom},      {x - head, neck},
                             {x - shaft, neck}};
    BrushHandle fill(CreateSolidBrush(kLabelText));
    Selected brush(dc, fill.get());
    Selected pen(dc, GetStockObject(NULL_PEN));
    Polygon(dc, outline, static_cast<int>(std::size(outline)));
}

bool inside(const Control& control, int x, int y) {
    return x >= control.left && y >= control.top && x < control.left + control.width &&
           y < control.top + control.height;
}

HWND makeEdit(HWND parent, const Control& control, int id, HFONT font) {
    HWND edit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, control.left,
        control.top, control.width, control.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return edit;
}

}  // namespace

std::string LibraryWindow::textOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

LibraryWindow::LibraryWindow(TfmOpen& dialog, HWND owner) : dialog_(dialog), owner_(owner) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &LibraryWindow::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    // Verdana 8 point, at the 96 dots per inch the skin is drawn for.
    font_ = makeFont(-11, false, false, "Verdana", ANSI_CHARSET);
    boldFont_ = makeFont(-11, true, false, "Verdana", ANSI_CHARSET);
    captionFont_ = makeFont(-11, true, true, "Verdana", ANSI_CHARSET);
    wingdings_ = makeFont(-13, false, false, "Wingdings", SYMBOL_CHARSET);
    // Wine comes without Wingdings unless one is installed: the font mapper then hands out a
    // text font, in which the indicator would be an accented letter.
    HDC screen = GetDC(nullptr);
    {
        Selected font(screen, wingdings_.get());
        char face[LF_FACESIZE] = {};
        GetTextFaceA(screen, LF_FACESIZE, face);
        haveWingdings_ = lstrcmpiA(face, "Wingdings") == 0;
    }
    ReleaseDC(nullptr, screen);

    window_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "DSM Library", WS_POPUP | WS_CLIPCHILDREN,
                              0, 0, LibraryModel::kWidth, LibraryModel::kHeight, owner, nullptr,
                              GetModuleHandleA(nullptr), this);
    Background::attach(window_, this);
    buildChildren();
    reflect();
}

LibraryWindow::~LibraryWindow() {
    if (frozen_)
        LockWindowUpdate(nullptr);
    loadbtn_.reset();
    cancelbtn_.reset();
    panel1_.reset();
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (IsWindow(tooltip_))
        DestroyWindow(tooltip_);
}

void LibraryWindow::buildChildren() {
    LibraryModel& model = dialog_.model;

    grid_ = CreateWindowExA(
        0, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER |
            LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        model.FileList.left, model.FileList.top, model.FileList.width, model.FileList.height,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridId)), GetModuleHandleA(nullptr),
        nullptr);
    SendMessageA(grid_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ListView_SetExtendedListViewStyle(grid_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetBkColor(grid_, colour(skin::kLcdFill));
    // A list view takes its row height from the small images: a 1-pixel-wide image list sets
    // the 17 pixels.
    ListView_SetImageList(grid_, ImageList_Create(1, LibraryModel::kRowHeight, ILC_COLOR, 1, 0),
                          LVSIL_SMALL);
    const int widths[] = {LibraryModel::kNameColumnWidth, model.column1Width, 0};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNA lvColumn{};
        lvColumn.mask = LVCF_WIDTH | LVCF_SUBITEM;
        lvColumn.cx = widths[column];
        lvColumn.iSubItem = column;
        SendMessageA(grid_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&lvColumn));
    }
    SetPropA(grid_, "SpindrelLibrary", this);
    gridProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        grid_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LibraryWindow::GridProc)));

    namefield_ = makeEdit(window_, model.namefield, kNamefieldId, font_.get());
    panel1_ = std::make_unique<Surface>(
        window_, rectOf(model.Panel1),
        [this](HDC dc, int width, int height) { paintPanel1(dc, width, height); });
    ShowWindow(panel1_->handle(), SW_HIDE);
    quicksrch_ = makeEdit(panel1_->handle(), model.quicksrch, kQuicksrchId, font_.get());
    ShowWindow(quicksrch_, SW_SHOW);
    for (HWND field : {namefield_, quicksrch_}) {
        SetPropA(field, "SpindrelLibrary", this);
        fieldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LibraryWindow::FieldProc)));
    }

    loadbtn_ = std::make_unique<CoolButtonView>(window_, model.loadbtn, pictures_);
    loadbtn_->onClick = [this] { handle([this] { dialog_.loadbtnClick(); }); };
    cancelbtn_ = std::make_unique<CoolButtonView>(window_, model.cancelbtn, pictures_);
    cancelbtn_->onClick = [this] { handle([this] { dialog_.cancelbtnClick(); }); };

    tooltip_ = createTooltip(window_, 560);
    addTipRect(kSortfileTip, model.sortfile);
    addTipRect(kSortdescTip, model.sortdesc);
    addTip(namefield_, model.namefield.hint);
    addTip(quicksrch_, model.quicksrch.hint);
    addTip(panel1_->handle(), model.Panel1.hint);
    addTip(grid_, "");
}

void LibraryWindow::addTip(HWND control, const std::string& text) {
    setControlTip(tooltip_, control, text, false);
}

void LibraryWindow::addTipRect(UINT_PTR id, const Control& control) {
    setAreaTip(tooltip_, window_, id, rectOf(control), control.hint, false);
}

std::optional<std::string> LibraryWindow::runModal(const ShowFacts& facts) {
    std::vector<ScreenRect> frames;
    dialog_.guarded([&] { frames = dialog_.FormShow(facts); });
    shownSelection_ = -2;
    shownFocus_ = LibraryFocus::FileList;
    reflect();
    drawOpening(frames);

    EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(grid_);
    MSG message;
    while (dialog_.model.modalResult == ModalResult::none) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit request for the main loop.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            dialog_.guarded([this] { dialog_.cancelbtnClick(); });
            break;
        }
        if (!dialogKey(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        reflect();
        if (afterMessage)
            afterMessage();
    }
    dialog_.guarded([this] { dialog_.FormClose(); });
    reflect();
    // The owner comes back before the dialog goes, so that activation returns to it.
    EnableWindow(owner_, TRUE);
    ShowWindow(window_, SW_HIDE);
    if (IsWindow(owner_))
        SetActiveWindow(owner_);
    if (dialog_.model.modalResult != ModalResult::ok)
        return std::nullopt;
    return dialog_.model.resultName;
}

void LibraryWindow::drawOpening(const std::vector<ScreenRect>& frames) {
    if (frames.empty())
        return;
    HDC screen = GetDC(nullptr);
    GdiObject<HPEN> pen(CreatePen(PS_INSIDEFRAME, kFramePen, colour(skin::kDialogFill)));
    BrushHandle fill(CreateSolidBrush(colour(skin::kLcdFill)));
    {
        Selected withPen(screen, pen.get());
        Selected withBrush(screen, fill.get());
        // Drawn straight onto the screen; the dialog covers the last frame when it shows.
        for (const ScreenRect& frame : frames) {
            RoundRect(screen, frame.left, frame.top, frame.right, frame.bottom, kFrameCorner,
                      kFrameCorner);
            GdiFlush();
            Sleep(kFramePause);
        }
    }
    ReleaseDC(nullptr, screen);
}

void LibraryWindow::applyRegion() {
    const LibraryModel& model = dialog_.model;
    if (model.windowRegionVersion == appliedRegion_)
        return;
    appliedRegion_ = model.windowRegionVersion;
    const auto* data = reinterpret_cast<const RGNDATA*>(model.windowRegion.data());
    RegionHandle region(
        ExtCreateRegion(nullptr, static_cast<DWORD>(model.windowRegion.size()), data));
    // A region the system refuses leaves the outline as it was.
    if (region)
        SetWindowRgn(window_, region.release(), TRUE);
}

void LibraryWindow::reflect() {
    if (window_ == nullptr)
        return;
    LibraryModel& model = dialog_.model;
    if (model.updatesFrozen != frozen_) {
        frozen_ = model.updatesFrozen;
        LockWindowUpdate(frozen_ ? GetDesktopWindow() : nullptr);
    }
    RECT rect;
    GetWindowRect(window_, &rect);
    if (rect.left != model.left || rect.top != model.top) {
        SetWindowPos(window_, nullptr, model.left, model.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyRegion();

    const std::string labels = model.sortfile.caption + "|" + model.sortdesc.caption + "|" +
                               model.based_serial.caption + "|" + model.based_meaningful.caption;
    if (labels != shownLabels_) {
        shownLabels_ = labels;
        for (const Control* label :
             {&model.sortfile, &model.sortdesc, &model.based_serial, &model.based_meaningful}) {
            const RECT area = rectOf(*label);
            InvalidateRect(window_, &area, FALSE);
        }
    }
    loadbtn_->reflect();
    cancelbtn_->reflect();

    const Control& field = model.namefield;
    if (field.visible != (IsWindowVisible(namefield_) != FALSE)) {
        if (field.visible) {
            updating_ = true;
            SetWindowTextA(namefield_, field.caption.c_str());
            updating_ = false;
            SetWindowPos(namefield_, HWND_TOP, field.left, field.top, field.width, field.height,
                         SWP_SHOWWINDOW);
            SendMessageA(namefield_, EM_SETSEL, 0, -1);
        } else {
            ShowWindow(namefield_, SW_HIDE);
        }
    }
    if (model.Panel1.visible != (IsWindowVisible(panel1_->handle()) != FALSE)) {
        if (model.Panel1.visible) {
            SetWindowPos(panel1_->handle(), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        } else {
            ShowWindow(panel1_->handle(), SW_HIDE);
        }
    }
    if (textOf(quicksrch_) != model.quicksrch.caption) {
        updating_ = true;
        SetWindowTextA(quicksrch_, model.quicksrch.caption.c_str());
        const auto end = static_cast<LPARAM>(model.quicksrch.caption.size());
        SendMessageA(quicksrch_, EM_SETSEL, static_cast<WPARAM>(end), end);
        updating_ = false;
    }
    reflectGrid();
    if (model.movePointerTo) {
        POINT point{model.movePointerTo->x, model.movePointerTo->y};
        ClientToScreen(window_, &point);
        SetCursorPos(point.x, point.y);
        model.movePointerTo.reset();
    }
    reflectFocus();
}

void LibraryWindow::reflectFocus() {
    if (!IsWindowVisible(window_))
        return;
    const LibraryFocus focus = dialog_.model.focus;
    HWND wanted = grid_;
    if (focus == LibraryFocus::quicksrch)
        wanted = quicksrch_;
    if (focus == LibraryFocus::namefield)
        wanted = namefield_;
    HWND focused = GetFocus();
    // Hiding the focused field leaves the focus on its parent (the dialog or the search box),
    // where no keys are handled; a change the core asked for moves it too.
    const bool stranded = focused == nullptr || focused == window_ || focused == panel1_->handle();
    if ((focus != shownFocus_ || stranded) && focused != wanted && IsWindowVisible(wanted)) {
        SetFocus(wanted);
    }
    shownFocus_ = focus;
}

void LibraryWindow::paint(HDC dc) {
    const LibraryModel& model = dialog_.model;
    RECT client{0, 0, LibraryModel::kWidth, LibraryModel::kHeight};
    BrushHandle fill(CreateSolidBrush(colour(skin::kDialogFill)));
    FillRect(dc, &client, fill.get());
    if (const Picture& picture = model.CoolForm1.picture) {
        pictures_.draw(dc, *picture, (LibraryModel::kWidth - picture->width) / 2,
                       (LibraryModel::kHeight - picture->height) / 2);
    }
    SetBkMode(dc, TRANSPARENT);
    {
        Selected font(dc, wingdings_.get());
        SetTextColor(dc, kLabelText);
        for (const Control* label : {&model.sortfile, &model.sortdesc}) {
            RECT area = rectOf(*label);
            if (!haveWingdings_ && label->caption == library_texts::kSortIndicator) {
                drawDownArrow(dc, area);
                continue;
            }
            DrawTextA(dc, label->caption.c_str(), static_cast<int>(label->caption.size()), &area,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    Selected font(dc, boldFont_.get());
    SetTextColor(dc, RGB(0, 0, 0));
    for (const Control* label : {&model.based_serial, &model.based_meaningful}) {
        RECT area = rectOf(*label);
        DrawTextA(dc, label->caption.c_str(), static_cast<int>(label->caption.size()), &area,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void LibraryWindow::paintPanel1(HDC dc, int width, int height) {
    Background::paintUnder(panel1_->handle(), dc);
    BrushHandle shadow(CreateSolidBrush(RGB(0, 0, 0)));
    BrushHandle face(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    {
        Selected brush(dc, shadow.get());
        Selected pen(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, kPanelShadow, kPanelShadow, width + 1, height + 1, kPanelCorner,
                  kPanelCorner);
    }
    {
        Selected brush(dc, face.get());
        Selected pen(dc, GetStockObject(BLACK_PEN));
        RoundRect(dc, 0, 0, width - kPanelShadow, height - kPanelShadow, kPanelCorner,
                  kPanelCorner);
    }
    Selected font(dc, captionFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const std::string& caption = dialog_.model.Panel1.caption;
    TextOutA(dc, dialog_.model.quicksrch.left, 7, caption.c_str(),
             static_cast<int>(caption.size()));
}

void LibraryWindow::handle(const std::function<void()>& handler) {
    dialog_.guarded(handler);
    reflect();
}

LRESULT CALLBACK LibraryWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* self = static_cast<LibraryWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<LibraryWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->dispatch(message, wParam, lParam);
}

LRESULT LibraryWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paintStruct;
            HDC dc = BeginPaint(window_, &paintStruct);
            {
                MemoryDc buffer(dc, LibraryModel::kWidth, LibraryModel::kHeight);
                paint(buffer.get());
                BitBlt(dc, 0, 0, LibraryModel::kWidth, LibraryModel::kHeight, buffer.get(), 0, 0,
                       SRCCOPY);
            }
            EndPaint(window_, &paintStruct);
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (OnLeftButtonDown(static_cast<short>(LOWORD(lParam)),
                                 static_cast<short>(HIWORD(lParam)))) {
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(lParam, result))
                return result;
            break;
        }
        case WM_CLOSE:
            handle([this] { dialog_.cancelbtnClick(); });
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// Escape and Enter as in any Windows dialog: Escape cancels (but in the rename field, which
// keeps its own keys, and in the quick search, where it only ends the search, as Enter does),
// Enter in the list loads the selected DSM.
bool LibraryWindow::dialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam == VK_ESCAPE && message.hwnd == quicksrch_) {
        handle([this] { dialog_.quicksrchDone(); });
        return true;
    }
    if (message.wParam == VK_ESCAPE && message.hwnd != namefield_) {
        handle([this] { dialog_.cancelbtnClick(); });
        return true;
    }
    if (message.wParam == VK_RETURN && message.hwnd == grid_) {
        handle([this] { dialog_.loadbtnClick(); });
        return true;
    }
    return false;
}

bool LibraryWindow::OnLeftButtonDown(int x, int y) {
    const LibraryModel& model = dialog_.model;
    if (inside(model.sortfile, x, y)) {
        handle([this] { dialog_.sortfileClick(); });
    } else if (inside(model.sortdesc, x, y)) {
        handle([this] { dialog_.sortdescClick(); });
    } else if (inside(model.based_serial, x, y)) {
        handle([this] { dialog_.based_serialClick(); });
    } else if (inside(model.based_meaningful, x, y)) {
        handle([this] { dialog_.based_meaningfulClick(); });
    } else {
        // The bare skin moves the window, as a caption would.
        ReleaseCapture();
        SendMessageA(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    }
    return true;
}

void LibraryWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == quicksrch_ && !updating_) {
        const std::string text = textOf(quicksrch_);
        handle([this, &text] { dialog_.quicksrchChange(text); });
    }
}

}  // namespace spindrel
