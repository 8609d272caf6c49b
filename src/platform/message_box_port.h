#pragma once
#include <string>

namespace spindrel {

enum class MsgButtons { ok, yesNo, yesNoCancel };
enum class MsgIcon { none, error, question, warning, information };
enum class MsgAnswer { ok, yes, no, cancel };
enum class BeepKind { standard, exclamation, question, error };

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // A modal box owned by the program's window; returns the button the user chose.
    virtual MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                           MsgIcon icon) = 0;
    virtual void beep(BeepKind kind) = 0;
};

}  // namespace spindrel
