#pragma once
#include <optional>
#include <string>

namespace spindrel {

// The clipboard's ANSI text.
class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;
    // True when the clipboard holds text, without reading it.
    virtual bool holdsText() = 0;
    // The text up to its terminating zero, or nothing when there is no text or the clipboard
    // could not be opened.
    virtual std::optional<std::string> text() = 0;
    // Replaces the clipboard's contents with the text; false when the clipboard could not be
    // opened or written.
    virtual bool setText(const std::string& text) = 0;
};

}  // namespace spindrel
