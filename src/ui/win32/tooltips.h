#pragma once
// Hints through the common tooltip control: one tooltip window per form, with a tool for each
// control window and for each area where the form draws a label itself.

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace spindrel {

inline HWND createTooltip(HWND owner, int maxWidth) {
    HWND tooltip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return tooltip;
}

// Adds the control's tool, or (update) gives the one it has a new text.
inline void setControlTip(HWND tooltip, HWND control, const std::string& text, bool update) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip, update ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

// The same for an area of the owner's client, known by an id of the owner's choosing.
inline void setAreaTip(HWND tooltip, HWND owner, UINT_PTR id, const RECT& area,
                       const std::string& text, bool update) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = id;
    tool.rect = area;
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip, update ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

}  // namespace spindrel
