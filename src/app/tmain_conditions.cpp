// Tmain: the click list's menu items that make the selected click wait for the player, or press
// it at its time again.

#include "app/tmain.h"

namespace spindrel {

namespace {

// The title the "when title" item offers: the one the player plays now, so that the user who
// has the player where the click belongs need only choose the item; else the one the click
// already waits for; else the first.
int offeredTitle(const std::optional<PlayerState>& state, const ClickCondition& current) {
    if (state && state->known && state->domain == PlayerDomain::title && state->title >= 1 &&
        state->title <= kMaxConditionTitle) {
        return state->title;
    }
    if (current.kind == ConditionKind::title)
        return current.title;
    return 1;
}

}  // namespace

void Tmain::conditionMenuPopup() {
    const int selected = selectedClick();
    const ClickCondition current =
        selected >= 0 ? model.dsm.ClickList[static_cast<std::size_t>(selected)].when
                      : ClickCondition{};
    MenuItem& menu = model.clickMenuItem("when_menu");
    MenuItem& title = model.clickMenuItem("when_title");
    MenuItem& none = model.clickMenuItem("when_none");
    const int offered = offeredTitle(player().playerState(), current);
    title.tag = offered;
    title.caption = "Press when title " + std::to_string(offered) + " plays";
    menu.enabled = title.enabled = none.enabled = selected >= 0;
    menu.checked = current.kind == ConditionKind::menu;
    title.checked = current == ClickCondition{ConditionKind::title, offered, 0};
    none.checked = selected >= 0 && current.empty();
}

void Tmain::when_menuClick() {
    const int selected = selectedClick();
    if (selected < 0)
        return;
    model.dsm.ClickList[static_cast<std::size_t>(selected)].when = {ConditionKind::menu, 0, 0};
    document.markModified();
}

void Tmain::when_titleClick() {
    const int selected = selectedClick();
    const int title = model.clickMenuItem("when_title").tag;
    if (selected < 0 || title < 1 || title > kMaxConditionTitle)
        return;
    model.dsm.ClickList[static_cast<std::size_t>(selected)].when = {ConditionKind::title, title, 0};
    document.markModified();
}

void Tmain::when_noneClick() {
    const int selected = selectedClick();
    if (selected < 0)
        return;
    model.dsm.ClickList[static_cast<std::size_t>(selected)].when = {};
    document.markModified();
}

}  // namespace spindrel
