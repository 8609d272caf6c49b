#include "app/settings.h"

#include "app/app_texts.h"

namespace spindrel {

namespace {

void readCheck(Registry& registry, const char* name, Control& label) {
    if (!registry.valueExists(name)) return;
    if (registry.readInteger(name) != 0) {
        label.caption = kChecked;
    } else {
        label.caption.clear();
    }
}

// Keeps the window on screen; a window off the left or top edge stays where it is.
void keepOnScreen(MainModel& model, ScreenSize screen) {
    if (screen.width < model.left + model.width) model.left = (screen.width - model.width) / 2;
    if (screen.height < model.top + model.height) model.top = (screen.height - model.height) / 2;
}

}  // namespace

std::string readSettings(Registry& registry, MainModel& model, ScreenSize screen) {
    model.cbox_1.caption.clear();
    model.cbox_2.caption.clear();
    model.cbox_3.caption.clear();
    model.autoexec.caption.clear();
    std::string plugin = texts::kDefaultPlugin;

    registry.setRootKey(RegRoot::localMachine);
    model.spindrelbtn.visible = registry.keyExists(texts::kSpindrelPlusKey);

    registry.openKeyOrThrow(texts::kSettingsKey, true);
    try {
        readCheck(registry, setting::kResetBeforeTest, model.cbox_1);
        readCheck(registry, setting::kAnimateSliders, model.cbox_2);
        readCheck(registry, setting::kLaunchOtherProgram, model.cbox_3);
        model.dsm.dsm_name.visible = isChecked(model.cbox_2);
        if (registry.valueExists(setting::kOtherProgram)) {
            model.autoexec.caption = registry.readString(setting::kOtherProgram);
        }
        if (registry.valueExists(setting::kPositionLeft)) {
            model.left = registry.readInteger(setting::kPositionLeft);
        }
        if (registry.valueExists(setting::kPositionTop)) {
            model.top = registry.readInteger(setting::kPositionTop);
        }
        if (registry.valueExists(setting::kDvdInterface)) {
            plugin = registry.readString(setting::kDvdInterface);
        }
    } catch (...) {
        registry.closeKey();
        throw;
    }
    registry.closeKey();

    keepOnScreen(model, screen);
    model.slideStepDivisor = isChecked(model.cbox_2) ? 20 : 2;
    return plugin;
}

void writeSettings(Registry& registry, const MainModel& model) {
    registry.setRootKey(RegRoot::localMachine);
    registry.openKeyOrThrow(texts::kSettingsKey, true);
    try {
        registry.writeInteger(setting::kResetBeforeTest, isChecked(model.cbox_1) ? 1 : 0);
        registry.writeInteger(setting::kAnimateSliders, isChecked(model.cbox_2) ? 1 : 0);
        registry.writeInteger(setting::kLaunchOtherProgram, isChecked(model.cbox_3) ? 1 : 0);
        registry.writeString(setting::kOtherProgram, model.autoexec.caption);
        // A window parked at -1000 after a failed skin load must not replace the real position.
        if (model.left >= kLowestStoredLeft) {
            registry.writeInteger(setting::kPositionLeft, model.left);
        }
        registry.writeInteger(setting::kPositionTop, model.top);
    } catch (...) {
        registry.closeKey();
        throw;
    }
    registry.closeKey();
}

}  // namespace spindrel
