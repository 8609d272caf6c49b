// Tmain: the remote panel. Its buttons and the button menu come from the plug-in's ability list;
// the menu is also the table by which every click's button name becomes a command code.

#include <vector>

#include "app/tmain.h"
#include "base/text.h"
#include "macro/ability_list.h"
#include "plugins/contract.h"
#include "ui/skin.h"

namespace spindrel {

bool Tmain::BuildRemotePanel() {
    bool result = true;
    // Zeroed, so a plug-in that writes nothing leaves an empty list rather than stale bytes.
    std::vector<char> buffer(static_cast<std::size_t>(contract::kAbilityBufferSize), '\0');
    player().Get_Abilities(buffer.data());
    const AbilityList list = parseAbilityList(buffer.data(), buffer.size());

    model.ButtonMenu.clear();
    // The earlier build's buttons go: left in place they would lie under the new ones and,
    // with tags into a menu that has changed, press the wrong codes.
    model.remoteButtons.clear();
    ++model.remoteButtonsVersion;
    model.buttonhint.caption.clear();
    model.buttonhint.tag = -1;

    SkinLoader loader(ports_.bitmaps, model.pendingError);
    for (const AbilityEntry& entry : list.entries) {
        ButtonMenuItem item;
        item.caption = entry.name;
        item.tag = entry.code;
        item.breakColumn = entry.columnBreak;
        model.ButtonMenu.push_back(item);
        if (entry.separator())
            continue;

        CoolButton button;
        button.left = entry.x;
        button.top = entry.y;
        button.tag = static_cast<int>(model.ButtonMenu.size()) - 1;
        if (!loader.loadPlayerButtonStrip(button, entry.name))
            result = false;
        model.remoteButtons.push_back(std::move(button));
    }
    return result && list.complete;
}

std::vector<std::string> Tmain::knownButtons() {
    std::vector<std::string> names;
    for (const ButtonMenuItem& item : model.ButtonMenu) {
        if (item.caption != "-")
            names.push_back(item.caption);
    }
    return names;
}

int Tmain::buttonCode(const std::string& name) {
    int code = -1;
    for (const ButtonMenuItem& item : model.ButtonMenu) {
        if (equalsIgnoreAsciiCase(item.caption, name))
            code = item.tag;
    }
    return code;
}

std::vector<int> Tmain::buttonCodes(const std::string& name) {
    std::vector<int> codes;
    for (const ButtonMenuItem& item : model.ButtonMenu) {
        if (equalsIgnoreAsciiCase(item.caption, name))
            codes.push_back(item.tag);
    }
    return codes;
}

void Tmain::dvdbuttonclick(int index) {
    if (index < 0 || index >= static_cast<int>(model.remoteButtons.size()))
        return;
    const int tag = model.remoteButtons[static_cast<std::size_t>(index)].tag;
    const bool known = tag >= 0 && tag < static_cast<int>(model.ButtonMenu.size());
    const int code = known ? model.ButtonMenu[static_cast<std::size_t>(tag)].tag : -1;
    // The state the press is made in, read before the player can have left it.
    if (RecordTimer.enabled() && known)
        pressState_ = player().playerState();
    player().Send_To_DVD(code);
    // The press is recorded after the plug-in has answered, so a slow player adds its delay to
    // the recorded wait, as the user saw it.
    if (RecordTimer.enabled() && known)
        RecordPress(tag);
}

void Tmain::dvdbuttonmousemove(int index) {
    if (index < 0 || index >= static_cast<int>(model.remoteButtons.size()))
        return;
    const int tag = model.remoteButtons[static_cast<std::size_t>(index)].tag;
    if (tag == model.buttonhint.tag)
        return;
    const bool known = tag >= 0 && tag < static_cast<int>(model.ButtonMenu.size());
    model.buttonhint.caption = known ? model.ButtonMenu[static_cast<std::size_t>(tag)].caption : "";
    model.buttonhint.tag = tag;
}

void Tmain::remoteHintCheck() {
    if (model.remote_panel.left < 0)
        return;
    if (bitmapButtonUnderMouse)
        return;
    model.buttonhint.caption.clear();
    model.buttonhint.tag = -1;
}

void Tmain::ShowRemoteButtons() {
    for (CoolButton& button : model.remoteButtons)
        button.visible = true;
    model.remote_panel.enabled = true;
    ports_.pump.processMessages();
}

void Tmain::ButtonMenuPopup() {
    for (ButtonMenuItem& item : model.ButtonMenu) {
        const bool current = item.caption == model.buttonlabel.caption;
        item.isDefault = current;
        item.checked = current;
    }
}

void Tmain::ButtonSelected(int menuIndex) {
    const int selected = selectedClick();
    if (selected < 0)
        return;
    if (menuIndex < 0 || menuIndex >= static_cast<int>(model.ButtonMenu.size()))
        return;
    const std::string& caption = model.ButtonMenu[static_cast<std::size_t>(menuIndex)].caption;
    model.buttonlabel.caption = caption;
    model.dsm.ClickList[static_cast<std::size_t>(selected)].button = caption;
    document.markModified();
}

}  // namespace spindrel
