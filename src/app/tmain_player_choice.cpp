// Tmain: which player plug-in the program binds, and choosing another on the configuration
// panel.

#include <algorithm>

#include "app/app_texts.h"
#include "app/plugin_binding.h"
#include "app/plugin_choice.h"
#include "app/settings.h"
#include "app/tmain.h"
#include "base/text.h"

namespace spindrel {

namespace {

// The plug-in's file as the binding names it: a bare name is looked for beside the program.
std::string pluginPath(const std::string& programFolder, const std::string& plugin) {
    return folderOf(plugin).empty() ? programFolder + plugin : plugin;
}

}  // namespace

// Made again at every start until the user chooses: a player installed later is then found, a
// player removed is no longer bound, and nothing is written without the user's word (the choice
// costs a few registry reads).
std::string Tmain::pluginToBind(bool stored, const std::string& storedName) {
    if (stored)
        return storedName;
    const PlayerSearch search{ports_.registry, ports_.files, plugins::processEnvironment};
    return firstStartPlugin(search, folderOf(ports_.system.programPath()));
}

std::string Tmain::playerNameOf(const std::string& path) {
    if (auto name = ports_.system.versionText(path, texts::kPlayerNameValue))
        return *name;
    return fileNameOf(path);
}

void Tmain::showBoundPlayer() {
    model.playerlabel.caption =
        playerNameOf(pluginPath(folderOf(ports_.system.programPath()), pluginName));
}

void Tmain::playerlabelClick() {
    const std::string folder = folderOf(ports_.system.programPath());
    model.playermenu.clear();
    for (const FileEntry& entry : ports_.files.findFiles(folder + "*.dll")) {
        if (entry.directory)
            continue;
        const std::string path = folder + entry.name;
        // Loaded to be tried as the binding would: one that cannot be bound is never offered.
        const LibraryHandle library = ports_.libraries.load(path);
        if (library == 0)
            continue;
        bool complete = true;
        for (const char* name : kPluginExports) {
            if (ports_.libraries.symbol(library, name) == nullptr)
                complete = false;
        }
        ports_.libraries.unload(library);
        if (!complete)
            continue;
        MenuItem item;
        item.name = entry.name;
        item.caption = playerNameOf(path) + "\t" + entry.name;
        item.checked = equalsIgnoreAsciiCase(entry.name, fileNameOf(pluginName));
        model.playermenu.push_back(item);
    }
    std::sort(model.playermenu.begin(), model.playermenu.end(),
              [](const MenuItem& a, const MenuItem& b) {
                  return asciiLower(a.caption) < asciiLower(b.caption);
              });
}

void Tmain::playermenuClick(int index) {
    if (index < 0 || index >= static_cast<int>(model.playermenu.size()))
        return;
    const std::string file = model.playermenu[static_cast<std::size_t>(index)].name;
    const std::string name = playerNameOf(folderOf(ports_.system.programPath()) + file);
    // Stored where the settings go: a standard user's own key when the machine's refuses.
    writeToSettingsKey(sharedRegistry(),
                       [&file](Registry& key) { key.writeString(setting::kDvdInterface, file); });
    if (equalsIgnoreAsciiCase(file, fileNameOf(pluginName))) {
        showBoundPlayer();
        return;
    }
    model.playerlabel.caption = name + texts::kNextStartMark;
    if (askYesNo(texts::kRestartForPlayerStart + name + texts::kRestartForPlayerEnd) !=
        MsgAnswer::yes) {
        return;
    }
    model.restartRequested = true;
    closeMainWindow();
}

void Tmain::restartProgram() {
    // The copy started next must not find this one's name still taken and end at once.
    singleInstance_.release();
    // The shell's old convention: 32 and below is a failure. The user closed the window expecting
    // it back, so a silent end would look like a crash.
    if (ports_.shell.execute("open", ports_.system.programPath(), "", "", kSwShowNormal) <= 32) {
        ports_.messages.show(texts::kRestartFailed, model.applicationTitle, MsgButtons::ok,
                             MsgIcon::error);
    }
}

}  // namespace spindrel
