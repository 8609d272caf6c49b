#include "platform/win32/win32_message_box.h"

namespace spindrel {

MsgAnswer Win32MessageBox::show(const std::string& text, const std::string& caption,
                                MsgButtons buttons, MsgIcon icon) {
    UINT style = MB_TASKMODAL;
    switch (buttons) {
        case MsgButtons::ok: style |= MB_OK; break;
        case MsgButtons::yesNo: style |= MB_YESNO; break;
        case MsgButtons::yesNoCancel: style |= MB_YESNOCANCEL; break;
    }
    switch (icon) {
        case MsgIcon::none: break;
        case MsgIcon::error: style |= MB_ICONERROR; break;
        case MsgIcon::question: style |= MB_ICONQUESTION; break;
        case MsgIcon::warning: style |= MB_ICONWARNING; break;
        case MsgIcon::information: style |= MB_ICONINFORMATION; break;
    }
    // The main window stays on top; the box must not open behind it.
    HWND owner = IsWindow(owner_) && IsWindowVisible(owner_) ? owner_ : nullptr;
    if (owner == nullptr) style |= MB_TOPMOST | MB_SETFOREGROUND;
    switch (MessageBoxA(owner, text.c_str(), caption.c_str(), style)) {
        case IDYES: return MsgAnswer::yes;
        case IDNO: return MsgAnswer::no;
        case IDCANCEL: return MsgAnswer::cancel;
        default: return MsgAnswer::ok;
    }
}

void Win32MessageBox::beep(BeepKind kind) {
    switch (kind) {
        case BeepKind::standard: MessageBeep(MB_OK); break;
        case BeepKind::exclamation: MessageBeep(MB_ICONEXCLAMATION); break;
        case BeepKind::question: MessageBeep(MB_ICONQUESTION); break;
        case BeepKind::error: MessageBeep(MB_ICONHAND); break;
    }
}

}  // namespace spindrel
