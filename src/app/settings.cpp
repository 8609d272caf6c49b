#include "app/settings.h"

#include <exception>

#include "app/app_texts.h"
#include "base/errors.h"

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

// Takes whatever of the settings this key holds; values it lacks keep what they had.
void readValues(Registry& registry, MainModel& model, std::string& plugin, bool& pluginStored) {
    readCheck(registry, setting::kResetBeforeTest, model.cbox_1);
    readCheck(registry, setting::kAnimateSliders, model.cbox_2);
    readCheck(registry, setting::kLaunchOtherProgram, model.cbox_3);
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
        pluginStored = true;
    }
}

// Closes whatever key is open and goes back to the machine's root on every way out, so the
// next user of the shared object starts where the settings are meant to be.
class SettingsKeyScope {
public:
    explicit SettingsKeyScope(Registry& registry) : registry_(registry) {}
    ~SettingsKeyScope() {
        registry_.closeKey();
        registry_.setRootKey(RegRoot::localMachine);
    }
    SettingsKeyScope(const SettingsKeyScope&) = delete;
    SettingsKeyScope& operator=(const SettingsKeyScope&) = delete;

private:
    Registry& registry_;
};

void writeInto(Registry& registry, RegRoot root, const SettingsWriter& write) {
    registry.setRootKey(root);
    registry.openKeyOrThrow(texts::kSettingsKey, true);
    write(registry);
    registry.closeKey();
}

}  // namespace

// A standard user cannot write under HKEY_LOCAL_MACHINE, and the 64-bit build gets no registry
// virtualization to hide that. So, as Windows does for older programs, the same key under
// HKEY_CURRENT_USER stands in: read after the machine's key, so each value the user has
// overrides the machine's, and written wherever the machine's key refuses.
std::string readSettings(Registry& registry, MainModel& model, ScreenSize screen,
                         bool* pluginStored) {
    model.cbox_1.caption.clear();
    model.cbox_2.caption.clear();
    model.cbox_3.caption.clear();
    model.autoexec.caption.clear();
    std::string plugin = texts::kDefaultPlugin;
    bool stored = false;

    SettingsKeyScope scope(registry);
    registry.setRootKey(RegRoot::localMachine);
    model.spindrelbtn.visible = registry.keyExists(texts::kSpindrelPlusKey);

    const bool machineKey = registry.openKey(texts::kSettingsKey, true);
    if (machineKey) readValues(registry, model, plugin, stored);
    registry.setRootKey(RegRoot::currentUser);
    // The user's key is made only where the machine's could not be, so that it exists after the
    // first start as the machine's would.
    if (registry.openKey(texts::kSettingsKey, !machineKey)) {
        readValues(registry, model, plugin, stored);
    } else if (!machineKey) {
        registry.setRootKey(RegRoot::localMachine);
        registry.openKeyOrThrow(texts::kSettingsKey, true);
    }
    model.dsm.dsm_name.visible = isChecked(model.cbox_2);

    keepOnScreen(model, screen);
    model.slideStepDivisor = isChecked(model.cbox_2) ? 20 : 2;
    if (pluginStored != nullptr) *pluginStored = stored;
    return plugin;
}

void writeToSettingsKey(Registry& registry, const SettingsWriter& write) {
    SettingsKeyScope scope(registry);
    registry.setRootKey(RegRoot::currentUser);
    // Once the user has a key of their own it wins on reading, so it is the one to write.
    if (registry.keyExists(texts::kSettingsKey)) {
        writeInto(registry, RegRoot::currentUser, write);
        return;
    }
    try {
        writeInto(registry, RegRoot::localMachine, write);
    } catch (const RegistryError&) {
        // The machine's refusal is the one to report when the user's key refuses as well: it is
        // where the settings belong.
        const std::exception_ptr machineError = std::current_exception();
        try {
            writeInto(registry, RegRoot::currentUser, write);
        } catch (const RegistryError&) {
            std::rethrow_exception(machineError);
        }
    }
}

void writeSettings(Registry& registry, const MainModel& model) {
    writeToSettingsKey(registry, [&model](Registry& key) {
        key.writeInteger(setting::kResetBeforeTest, isChecked(model.cbox_1) ? 1 : 0);
        key.writeInteger(setting::kAnimateSliders, isChecked(model.cbox_2) ? 1 : 0);
        key.writeInteger(setting::kLaunchOtherProgram, isChecked(model.cbox_3) ? 1 : 0);
        key.writeString(setting::kOtherProgram, model.autoexec.caption);
        // A window parked at -1000 after a failed skin load must not replace the real position.
        if (model.left >= kLowestStoredLeft) key.writeInteger(setting::kPositionLeft, model.left);
        key.writeInteger(setting::kPositionTop, model.top);
    });
}

}  // namespace spindrel
