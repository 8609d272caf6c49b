// Tmain: the click list editor on the Button List panel. The wait field writes its value into the
// selected click on every keystroke; the list's selection drives what the fields show.

#include <algorithm>

#include "app/tmain.h"
#include "base/text.h"
#include "macro/dsm_clipboard.h"
#include "macro/wait_text.h"

namespace spindrel {

namespace {
inline constexpr int kVisibleRows = 6;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr const char* kClickListFocus = "ClickList";
inline constexpr const char* kEditwaitFocus = "editwait";
}  // namespace

int Tmain::selectedClick() const {
    const int selected = model.clickSelected;
    if (model.clickSelectedGeneration != model.dsm.clickListGeneration)
        return -1;
    return selected >= 0 && selected < static_cast<int>(model.dsm.ClickList.size()) ? selected : -1;
}

void Tmain::selectClick(int index) {
    model.clickSelected = index >= 0 && index < clickCount() ? index : -1;
    model.clickSelectedGeneration = model.dsm.clickListGeneration;
    ClickListChange();
}

void Tmain::scrollClickIntoView(int index) {
    while (model.clickTopRow > index)
        --model.clickTopRow;
    while (model.clickTopRow + kVisibleRows - 1 < index)
        ++model.clickTopRow;
}

void Tmain::focusClickList() {
    if (model.editwaitFocused)
        editwaitExit();
    model.focus = kClickListFocus;
}

void Tmain::focusEditwait() {
    model.focus = kEditwaitFocus;
    editwaitEnter();
}

void Tmain::applyCursorRule() {
    const bool selected = selectedClick() >= 0;
    model.buttonlabelCursor = selected ? CursorShape::hand : CursorShape::arrow;
    model.editwaitCursor = selected ? CursorShape::ibeam : CursorShape::arrow;
}

void Tmain::ClickListClick() {
    if (selectedClick() < 0)
        model.clickSelected = -1;
    if (model.editwaitFocused)
        return;
    const int selected = selectedClick();
    if (selected < 0) {
        model.editwait.caption.clear();
        model.buttonlabel.caption.clear();
    } else {
        const Click& click = model.dsm.ClickList[static_cast<std::size_t>(selected)];
        model.editwait.caption = formatWait(waitOrZero(click.wait));
        std::string shown;
        for (const ButtonMenuItem& item : model.ButtonMenu) {
            if (equalsIgnoreAsciiCase(item.caption, click.button))
                shown = item.caption;
        }
        model.buttonlabel.caption = shown;
    }
    applyCursorRule();
}

void Tmain::ClickListChange() {
    ClickListClick();
}

void Tmain::ClickListInsert() {
    document.markModified();
    applyCursorRule();
}

void Tmain::ClickListDeletion() {
    document.markModified();
    // A shorter list cannot stay scrolled past its end.
    model.clickTopRow = std::max(0, std::min(model.clickTopRow, clickCount() - kVisibleRows));
    applyCursorRule();
}

void Tmain::editwaitChange(const std::string& text) {
    model.editwait.caption = text;
    const int selected = selectedClick();
    if (selected < 0) {
        model.editwait.caption.clear();
        return;
    }
    if (text.empty())
        return;
    const double wait = waitOrZero(text);
    if (!model.editwaitFocused)
        return;
    model.dsm.ClickList[static_cast<std::size_t>(selected)].wait = formatWait(wait);
    document.markModified();
}

void Tmain::editwaitEnter() {
    if (selectedClick() < 0) {
        model.editwaitFocused = false;
        model.focus = kClickListFocus;
        return;
    }
    model.editwaitFocused = true;
}

void Tmain::editwaitExit() {
    model.editwaitFocused = false;
    ClickListClick();
}

bool Tmain::editwaitKeyUp(int virtualKey) {
    if (virtualKey != kPageUp && virtualKey != kPageDown)
        return false;
    const int selected = selectedClick();
    if (selected < 0)
        return false;
    const int target = virtualKey == kPageUp ? selected - 1 : selected + 1;
    if (target >= 0 && target < clickCount())
        selectClick(target);
    scrollClickIntoView(selectedClick());
    focusClickList();
    ClickListClick();
    focusEditwait();
    return true;
}

bool Tmain::buttonlabelMouseUp() {
    if (selectedClick() < 0)
        return false;
    ButtonMenuPopup();
    return true;
}

void Tmain::new_appendClick() {
    model.dsm.ClickList.push_back(Click{});
    ClickListInsert();
    const int added = clickCount() - 1;
    scrollClickIntoView(added);
    selectClick(added);
    ClickListClick();
    focusEditwait();
}

void Tmain::new_insertClick() {
    const int selected = selectedClick();
    if (selected < 0) {
        new_appendClick();
        return;
    }
    model.dsm.ClickList.insert(model.dsm.ClickList.begin() + selected, Click{});
    ClickListInsert();
    scrollClickIntoView(selected);
    selectClick(selected);
    ClickListClick();
    focusEditwait();
}

void Tmain::delete_clickClick() {
    const int selected = selectedClick();
    if (selected < 0)
        return;
    model.dsm.ClickList.erase(model.dsm.ClickList.begin() + selected);
    model.clickSelected = -1;
    ClickListDeletion();
    ClickListClick();
}

void Tmain::delete_allClick() {
    const bool hadClicks = clickCount() > 0;
    model.dsm.ClickList.clear();
    model.clickSelected = -1;
    if (hadClicks)
        ClickListDeletion();
    ClickListClick();
}

void Tmain::copydsmClick() {
    DsmClipboard(document, ports_.clipboard).copy();
}

void Tmain::pastedsmClick() {
    DsmClipboard(document, ports_.clipboard).paste(ButtonNames(knownButtons()));
    // The old selection may point past the new list.
    ClickListClick();
}

void Tmain::ClickMenuPopup() {
    const bool playerRuns = player().PCDVD_Player() != 0;
    model.clickMenuItem("delete_click").enabled = selectedClick() >= 0;
    model.clickMenuItem("delete_all").enabled = clickCount() > 0;
    model.clickMenuItem("continue_macro").enabled = playerRuns;
    model.clickMenuItem("press_one").enabled = playerRuns;
    model.clickMenuItem("pastedsm").enabled = DsmClipboard(document, ports_.clipboard).canPaste();
    model.clickMenuItem("new_append").enabled = true;
    model.clickMenuItem("new_insert").enabled = true;
    conditionMenuPopup();
}

}  // namespace spindrel
