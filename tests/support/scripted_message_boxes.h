#pragma once
// Records every message box and answers from a script. A box that asks a question the script
// does not answer fails the test loudly instead of guessing.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/message_box_port.h"

namespace spindrel::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    MsgButtons buttons;
    MsgIcon icon;
};

class ScriptedMessageBoxes : public MessageBoxPort {
public:
    void answer(MsgAnswer next) { script_.push_back(next); }

    MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        shown.push_back({text, caption, buttons, icon});
        if (!script_.empty()) {
            const MsgAnswer next = script_.front();
            script_.pop_front();
            return next;
        }
        if (buttons == MsgButtons::ok) return MsgAnswer::ok;
        throw std::logic_error("unscripted question: " + text);
    }

    void beep(BeepKind kind) override { beeps.push_back(kind); }

    std::size_t unanswered() const { return script_.size(); }

    std::vector<ShownBox> shown;
    std::vector<BeepKind> beeps;

private:
    std::deque<MsgAnswer> script_;
};

}  // namespace spindrel::testing
