#include "macro/dsm_clipboard.h"

#include <cstring>

#include "base/errors.h"
#include "macro/dsm_texts.h"
#include "macro/wait_text.h"

namespace spindrel {

namespace {

const std::size_t kHeaderLength = std::strlen(texts::kClipboardHeader);

void takeLine(std::string_view line, const ButtonNames& known, DsmContent& content,
              PendingCondition& pending) {
    line = line.substr(0, kDsmFieldLimit);
    if (pending.takeAtLine(line))
        return;
    const ClickCondition when = pending.take();
    if (line.empty())
        return;
    if (line.front() == '#') {
        content.notes.emplace_back(line.substr(1, kDsmFieldLimit));
        return;
    }
    const ClickLine parts = splitClickLine(line);
    double wait = -1;
    if (parts.hasComma && parts.commaPosition >= 1) {
        if (const std::optional<double> number = parseWait(parts.waitText))
            wait = *number;
    }
    if (!known.contains(parts.button) || !(wait > 0))
        return;
    content.clicks.push_back({formatWait(wait), std::string(parts.button), when});
    content.total += wait;
}

}  // namespace

std::string dsmClipboardText(const DsmModel& model) {
    // Unlike the fixed buffer the form was once built in, the text grows as needed: a long
    // document reaches the clipboard whole.
    std::string text = texts::kClipboardHeader;
    text += model.dsm_name.caption;
    text += "\r\n";
    for (const std::string& line : model.Notes)
        text += "#" + line + "\r\n";
    for (const Click& click : model.ClickList) {
        if (!click.when.empty())
            text += conditionLine(click.when) + "\r\n";
        text += click.wait + "," + click.button + "\r\n";
    }
    return text;
}

bool isDsmClipboardText(std::string_view text) {
    return text.substr(0, kHeaderLength) == texts::kClipboardHeader;
}

PastedDsm parseDsmClipboardText(std::string_view text, const ButtonNames& known) {
    const bool cut = text.size() > kClipboardTextLimit;
    text = text.substr(0, kClipboardTextLimit);
    PastedDsm pasted;
    const std::size_t headerEnd = text.find('\r');
    if (headerEnd == std::string_view::npos)
        return pasted;
    pasted.fileName = std::string(text.substr(kHeaderLength, headerEnd - kHeaderLength));

    // Lines end in CR and the character after it is skipped unseen: the form's ends are CR LF.
    std::size_t start = headerEnd + 2;
    PendingCondition pending;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            // A last line cut off by the size limit could name another button or a shorter
            // wait than it was written with; it is left out.
            if (!cut)
                takeLine(text.substr(start), known, pasted.content, pending);
            break;
        }
        takeLine(text.substr(start, cr - start), known, pasted.content, pending);
        start = cr + 2;
    }
    return pasted;
}

DsmClipboard::DsmClipboard(DsmDocument& document, ClipboardPort& clipboard)
    : document_(document), clipboard_(clipboard) {}

void DsmClipboard::copy() {
    if (!clipboard_.setText(dsmClipboardText(document_.model()))) {
        throw SpindrelError(texts::kClipboardUnavailable);
    }
}

void DsmClipboard::paste(const ButtonNames& known) {
    if (!clipboard_.holdsText())
        return;
    const std::optional<std::string> text = clipboard_.text();
    if (!text || !isDsmClipboardText(std::string_view(*text).substr(0, kClipboardTextLimit))) {
        return;
    }
    PastedDsm pasted = parseDsmClipboardText(*text, known);
    document_.setFileName(pasted.fileName);
    document_.fill(std::move(pasted.content));
    document_.markModified();
}

bool DsmClipboard::canPaste() {
    if (!clipboard_.holdsText())
        return false;
    const std::optional<std::string> text = clipboard_.text();
    return text && isDsmClipboardText(*text);
}

}  // namespace spindrel
