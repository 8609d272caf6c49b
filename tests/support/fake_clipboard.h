#pragma once
#include <optional>
#include <string>

#include "platform/clipboard_port.h"

namespace spindrel::testing {

class FakeClipboard : public ClipboardPort {
  public:
    bool holdsText() override { return content.has_value(); }
    std::optional<std::string> text() override {
        if (busy)
            return std::nullopt;
        return content;
    }
    bool setText(const std::string& text) override {
        if (busy)
            return false;
        content = text;
        ++sets;
        return true;
    }

    std::optional<std::string> content;  // nothing: no text on the clipboard
    bool busy = false;                   // another program holds the clipboard open
    int sets = 0;
};

}  // namespace spindrel::testing
