// LibraryWindow: the DSM grid (a virtual list view painted row by row), its keys, mouse, menu
// and cell hints, and the two edit fields' keys.

#include "library/win32/library_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "library/library_texts.h"
#include "ui/skin_layout.h"
#include "ui/win32/tooltips.h"

namespace spindrel {

namespace {

constexpr const char* kSelfProperty = "SpindrelLibrary";
constexpr COLORREF kSelectedFill = RGB(100, 100, 100);
constexpr COLORREF kSelectedText = RGB(200, 248, 200);
constexpr COLORREF kCellFill = RGB(200, 248, 200);
constexpr COLORREF kGreyText = RGB(128, 128, 128);
constexpr int kCellPadding = 2;

enum MenuCommand : UINT { kLoadCommand = 1, kRenameCommand, kDeleteCommand };

LibraryWindow* selfOf(HWND window) {
    return static_cast<LibraryWindow*>(GetPropA(window, kSelfProperty));
}

}  // namespace

void LibraryWindow::reflectGrid() {
    const LibraryModel& model = dialog_.model;
    if (model.column1Width != shownColumn1_) {
        shownColumn1_ = model.column1Width;
        ListView_SetColumnWidth(grid_, 1, model.column1Width);
    }
    if (model.rowsVersion != shownRowsVersion_) {
        shownRowsVersion_ = model.rowsVersion;
        updating_ = true;
        ListView_SetItemCountEx(grid_, static_cast<int>(model.rows.size()), LVSICF_NOSCROLL);
        updating_ = false;
        InvalidateRect(grid_, nullptr, FALSE);
        tipRow_ = -1;
    }
    if (model.selected != shownSelection_) {
        shownSelection_ = model.selected;
        updating_ = true;
        ListView_SetItemState(grid_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (model.selected >= 0) {
            ListView_SetItemState(grid_, model.selected, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(grid_, model.selected, FALSE);
        }
        updating_ = false;
        InvalidateRect(grid_, nullptr, FALSE);
    }
}

bool LibraryWindow::OnNotify(LPARAM lParam, LRESULT& result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != grid_)
        return false;
    LibraryModel& model = dialog_.model;
    switch (header->code) {
        case NM_CUSTOMDRAW:
            result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            return true;
        case LVN_GETDISPINFOA: {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
            const auto row = static_cast<std::size_t>(info->item.iItem);
            if ((info->item.mask & LVIF_TEXT) != 0 && row < model.rows.size() &&
                info->item.cchTextMax > 0) {
                const LibraryRow& cells = model.rows[row];
                const std::string& text = info->item.iSubItem == 0   ? cells.name
                                          : info->item.iSubItem == 1 ? cells.description
                                                                     : cells.key;
                const std::size_t length =
                    std::min(text.size(), static_cast<std::size_t>(info->item.cchTextMax - 1));
                std::memcpy(info->item.pszText, text.data(), length);
                info->item.pszText[length] = '\0';
            }
            return true;
        }
        case LVN_ODFINDITEMA:
            result = -1;
            return true;
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (!updating_ && change->iItem >= 0 && (change->uChanged & LVIF_STATE) != 0 &&
                (change->uNewState & LVIS_SELECTED) != 0) {
                dialog_.guarded([this, change] { dialog_.FileListSelect(change->iItem); });
                shownSelection_ = model.selected;
                InvalidateRect(grid_, nullptr, FALSE);
            }
            return true;
        }
        case NM_DBLCLK:
            if (reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) {
                handle([this] { dialog_.FileListDblClick(); });
            }
            return true;
        case NM_RCLICK:
            OnGridRightClick(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
            return true;
        default:
            return false;
    }
}

LRESULT LibraryWindow::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const LibraryModel& model = dialog_.model;
    const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
    if (row < 0 || row >= static_cast<int>(model.rows.size()))
        return CDRF_SKIPDEFAULT;
    const LibraryRow& cells = model.rows[static_cast<std::size_t>(row)];
    HDC dc = draw.nmcd.hdc;
    RECT bounds;
    ListView_GetItemRect(grid_, row, &bounds, LVIR_BOUNDS);
    RECT client;
    GetClientRect(grid_, &client);
    const bool selected = row == model.selected;
    {
        RECT whole{client.left, bounds.top, client.right, bounds.bottom};
        BrushHandle fill(CreateSolidBrush(selected ? kSelectedFill : kCellFill));
        FillRect(dc, &whole, fill.get());
    }
    SetBkMode(dc, TRANSPARENT);
    Selected font(dc, font_.get());
    const int columnLeft[] = {bounds.left, bounds.left + LibraryModel::kNameColumnWidth};
    const int columnWidth[] = {LibraryModel::kNameColumnWidth, model.column1Width};
    const std::string* texts[] = {&cells.name, &cells.description};
    for (int column = 0; column < 2; ++column) {
        const std::string& text = *texts[column];
        COLORREF ink = selected ? kSelectedText : RGB(0, 0, 0);
        if (!selected && column == 1 && text == library_texts::kNoDescription)
            ink = kGreyText;
        SetTextColor(dc, ink);
        RECT cell{columnLeft[column] + kCellPadding, bounds.top,
                  columnLeft[column] + columnWidth[column] - kCellPadding, bounds.bottom};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    return CDRF_SKIPDEFAULT;
}

void LibraryWindow::OnGridRightClick(int row) {
    if (row < 0)
        return;
    handle([this, row] { dialog_.FileListRightClick(row); });
    HMENU menu = CreatePopupMenu();
    UINT command = kLoadCommand;
    for (const MenuItem& item : dialog_.model.filemenu) {
        if (item.caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuA(menu, MF_STRING | (item.enabled ? 0 : MF_GRAYED), command,
                    item.caption.c_str());
        if (item.isDefault)
            SetMenuDefaultItem(menu, command, FALSE);
        ++command;
    }
    POINT at;
    GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
        case kLoadCommand:
            handle([this] { dialog_.Load1Click(); });
            break;
        case kRenameCommand: {
            RECT rowRect{};
            ListView_GetItemRect(grid_, dialog_.model.selected, &rowRect, LVIR_BOUNDS);
            handle([this, &rowRect] { dialog_.Rename1Click(rowRect.top); });
            break;
        }
        case kDeleteCommand:
            handle([this] { dialog_.Delete1Click(); });
            break;
        default:
            break;
    }
}

LRESULT CALLBACK LibraryWindow::GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LibraryWindow* self = selfOf(window);
    return self->gridMessage(message, wParam, lParam);
}

LRESULT LibraryWindow::gridMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            // Typed characters belong to the dialog (load, quick search), not to the list's own
            // incremental search.
            handle([this, wParam] { dialog_.FileListKeyPress(static_cast<char>(wParam)); });
            return 0;
        case WM_MOUSEMOVE: {
            LVHITTESTINFO hit{};
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ListView_SubItemHitTest(grid_, &hit);
            if (hit.iItem != tipRow_ || hit.iSubItem != tipColumn_) {
                tipRow_ = hit.iItem;
                tipColumn_ = hit.iSubItem;
                updateGridTip();
            }
            break;
        }
        default:
            break;
    }
    return CallWindowProcA(gridProc_, grid_, message, wParam, lParam);
}

void LibraryWindow::updateGridTip() {
    const LibraryModel& model = dialog_.model;
    std::string text;
    if (tipRow_ >= 0 && tipRow_ < static_cast<int>(model.rows.size()) &&
        (tipColumn_ == 0 || tipColumn_ == 1)) {
        const LibraryRow& cells = model.rows[static_cast<std::size_t>(tipRow_)];
        const std::string& cell = tipColumn_ == 0 ? cells.name : cells.description;
        const int width = tipColumn_ == 0 ? LibraryModel::kNameColumnWidth : model.column1Width;
        HDC dc = GetDC(grid_);
        SIZE size{};
        {
            Selected font(dc, font_.get());
            GetTextExtentPoint32A(dc, cell.c_str(), static_cast<int>(cell.size()), &size);
        }
        ReleaseDC(grid_, dc);
        if (size.cx > width - 2 * kCellPadding)
            text = cell;
    }
    if (text == gridTip_)
        return;
    gridTip_ = text;
    SendMessageA(tooltip_, TTM_POP, 0, 0);
    setControlTip(tooltip_, grid_, gridTip_, true);
}

LRESULT CALLBACK LibraryWindow::FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LibraryWindow* self = selfOf(window);
    return self->fieldMessage(window, message, wParam, lParam);
}

LRESULT LibraryWindow::fieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam != VK_RETURN)
                break;
            if (field == namefield_) {
                const std::string typed = textOf(namefield_);
                handle([this, &typed] { dialog_.namefieldEnter(typed); });
            } else {
                handle([this] { dialog_.quicksrchDone(); });
            }
            return 0;
        case WM_CHAR:
            // The Enter was taken at its key-down; its character would only beep.
            if (wParam == '\r')
                return 0;
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = CallWindowProcA(fieldProc_, field, message, wParam, lParam);
            if (field == namefield_) {
                handle([this] { dialog_.namefieldExit(); });
            } else {
                handle([this] { dialog_.quicksrchDone(); });
            }
            return result;
        }
        default:
            break;
    }
    return CallWindowProcA(fieldProc_, field, message, wParam, lParam);
}

}  // namespace spindrel
