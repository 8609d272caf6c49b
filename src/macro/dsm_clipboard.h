#pragma once
// A DSM as clipboard text: a header line carrying the document's name, then the file's lines.

#include <string>
#include <string_view>

#include "macro/dsm_document.h"
#include "platform/clipboard_port.h"

namespace spindrel {

// Paste reads at most this many characters of the clipboard's text.
inline constexpr std::size_t kClipboardTextLimit = 10239;

// The clipboard form of a document: every click with its wait text as it stands.
std::string dsmClipboardText(const DsmModel& model);

// True when the text starts with the header, letter case and spaces counting.
bool isDsmClipboardText(std::string_view text);

struct PastedDsm {
    std::string fileName;
    DsmContent content;
};
// Reads a clipboard text that starts with the header (only the first kClipboardTextLimit
// characters of it); clicks need a known button and a wait above 0.
PastedDsm parseDsmClipboardText(std::string_view text, const ButtonNames& known);

class DsmClipboard {
  public:
    DsmClipboard(DsmDocument& document, ClipboardPort& clipboard);

    // copydsm. Throws SpindrelError when the clipboard cannot be opened.
    void copy();
    // pastedsm: replaces the document when the clipboard holds a DSM, and marks it modified.
    void paste(const ButtonNames& known);
    // Whether pastedsm is enabled when the click list's menu opens.
    bool canPaste();

  private:
    DsmDocument& document_;
    ClipboardPort& clipboard_;
};

}  // namespace spindrel
