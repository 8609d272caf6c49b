#include "app/tmain.h"

#include "app/app_texts.h"
#include "app/command_line.h"
#include "app/plugin_binding.h"
#include "app/settings.h"
#include "base/errors.h"
#include "base/text.h"

namespace spindrel {

namespace {
inline constexpr int kTimer1FirstInterval = 10;
inline constexpr int kPlayerWatchInterval = 500;
inline constexpr int kSlideInterval = 30;
inline constexpr int kHintHidePause = 5000;
inline constexpr int kClientHeight = 160;
inline constexpr int kDragCursor = -99;
inline constexpr int kSaveCursor = -98;
}  // namespace

Tmain::Tmain(Ports ports)
    : Timer1(ports.timers, kTimer1FirstInterval),
      PCDVD_Timer(ports.timers, kPlayerWatchInterval),
      Slider(ports.superTimers, kSlideInterval),
      document(model.dsm, ports.files, ports.fileIo),
      disc(model.disc, ports.drives, ports.pump),
      naming(document, disc, ports.files, ports.messages, ports.pump, ports.saveDialog,
             ports.libraryDialogs,
             DsmNamingHooks{[this] { return knownButtons(); }, [this] { HideSlide(1); },
                            [this] {
                                if (frontEnd.refreshPointer) frontEnd.refreshPointer();
                            },
                            [this] { return model.applicationTitle; }}),
      ports_(ports),
      singleInstance_(ports.sharedMemory),
      player_(std::make_unique<UnboundPlayer>()) {
    Timer1.setOnTick([this] {
        controllerStepRunning_ = true;
        guarded([this] { Timer1Timer(); });
        controllerStepRunning_ = false;
    });
    PCDVD_Timer.setOnTick([this] { guarded([this] { PCDVD_TimerTimer(); }); });
    Slider.setOnTick([this] { guarded([this] { SliderTimer(); }); });
    singleInstance_.OnAlreadyRunning = [this](std::uint32_t, std::uint32_t) {
        onAlreadyRunning();
    };
    // The file panel's and the disc display's buttons carry their hints and tags.
    const FilePanelModel& files = naming.panel();
    const std::pair<CoolButton*, const Control*> described[] = {
        {&model.newbtn, &files.newbtn},           {&model.openbtn, &files.openbtn},
        {&model.savebtn, &files.savebtn},         {&model.makenamebtn, &files.makenamebtn},
        {&model.clearnamebtn, &files.clearnamebtn}, {&model.refreshbtn, &model.disc.refreshbtn},
    };
    for (const auto& [button, description] : described) {
        button->hint = description->hint;
        button->tag = description->tag;
    }
}

Tmain::~Tmain() = default;

void Tmain::create(std::uint32_t instanceHandle, std::uint32_t windowHandle) {
    singleInstance_.Loaded(fileNameOf(ports_.system.programPath()), instanceHandle,
                           windowHandle);
    bool completed = false;
    guarded([this, &completed] {
        FormCreate();
        completed = true;
    });
    // A start cut short has no controller and, without the DSM folder as its current one, no
    // skin either: the window could only be closed, and would sit there unseen. The error has
    // been shown; the program ends as it does without its plug-in, and stores nothing.
    if (!completed) {
        model.showAllowed = false;
        model.terminateRequested = true;
    }
}

// A second copy ends silently: nothing is sent to the first one.
void Tmain::onAlreadyRunning() {
    model.showAllowed = false;
    model.terminateRequested = true;
}

void Tmain::parkPanels() {
    for (Control* panel : {&model.inactive_panel, &model.active_panel}) {
        panel->left = panel_left::kSmallHidden;
    }
    for (Control* panel : {&model.dsm_panel, &model.button_panel, &model.file_panel,
                           &model.config_panel, &model.remote_panel, &model.about_panel}) {
        panel->left = panel_left::kBigHidden;
        panel->width = panel_left::kBigWidth;
    }
}

void Tmain::prepareDsmFolder() {
    dsmFolder = folderOf(ports_.system.programPath()) + texts::kDsmFolderName;
    FileSystemPort& files = ports_.files;
    if (!files.directoryExists(dsmFolder)) {
        const int error = files.createDirectory(dsmFolder);
        if (error != 0) {
            throw InOutError("Unable to create the DSM folder\r" + dsmFolder + "\r\r" +
                                 ports_.system.errorText(error),
                             error);
        }
    }
    const int error = files.setCurrentDirectory(dsmFolder);
    if (error != 0) {
        throw InOutError("Unable to open the DSM folder\r" + dsmFolder + "\r\r" +
                             ports_.system.errorText(error),
                         error);
    }
    model.saveDialogInitialDir = dsmFolder;
    naming.saveDialogInitialDir = dsmFolder;
}

void Tmain::FormCreate() {
    run_mode = 0;
    parkPanels();
    model.height = kClientHeight;

    ReadSettings();

    player_ = bindPlugin(ports_.libraries, ports_.messages, pluginName, model.applicationTitle,
                         model.Image4);
    pluginBound_ = player_ != nullptr;
    if (!pluginBound_) {
        player_ = std::make_unique<UnboundPlayer>();
        model.showAllowed = false;
        model.terminateRequested = true;
        return;
    }

    showBoundPlayer();
    if (const auto version = ports_.system.fileVersion(ports_.system.programPath())) {
        const auto& v = *version;
        model.myversion.caption = strFormat("%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
    }

    int move = player().PCDVD_Player() != 0 ? move_state::kActiveIn : move_state::kInactiveIn;

    prepareDsmFolder();

    const CommandLine commandLine = parseCommandLine(
        ports_.system.arguments(), [this](const std::string& name) {
            return ports_.files.fileExists(name);
        });
    int mode = commandLine.mode;
    if (commandLine.dsmName) model.dsm.dsm_name.caption = *commandLine.dsmName;
    if (commandLine.test) {
        for (const char* name : {"newpanel1", "newpanel2", "newpanel3"}) {
            model.panelMenuItem(name).enabled = false;
        }
        model.panelMenuItem("newpanel5").enabled = true;
    }

    if (mode == start_mode::kPlain) move += 5;
    if (mode == start_mode::kEdit) move += 1;
    if (mode == start_mode::kAutoQuit || mode == start_mode::kPlayFile ||
        mode == start_mode::kAutoRemain) {
        model.windowState = WindowState::minimized;
        mode += run_mode_bit::kMinimized;
        move = (move & move_state::kSmallMask) | 3;
    }
    moveState = move;
    run_mode = mode + (commandLine.test ? run_mode_bit::kTest : 0);

    ports_.system.loadCursor("DRAGCURSOR", kDragCursor);
    ports_.system.loadCursor("SAVECURSOR", kSaveCursor);

    controller_state = (run_mode & 15) * 100;
    model.hintHidePause = kHintHidePause;
    Timer1.setInterval(kTimer1FirstInterval);
    Timer1.setEnabled(true);
    PCDVD_Timer.setEnabled(true);
}

bool Tmain::FormCloseQuery() {
    const bool mayClose = naming.askAboutUnsavedChanges();
    // A restart the user then cancelled must not come with a later close.
    if (!mayClose) model.restartRequested = false;
    return mayClose;
}


void Tmain::FormClose() {
    const WindowHandle playerWindow = player().PCDVD_Player();
    if (playerWindow != 0) ports_.windows.showWindow(playerWindow, ShowCommand::restore);
    WriteSettings();
    if (model.restartRequested) restartProgram();
}

void Tmain::moved(int left, int top) {
    model.left = left;
    model.top = top;
}

void Tmain::showException(const std::exception& error) {
    ports_.messages.show(error.what(), model.applicationTitle, MsgButtons::ok, MsgIcon::error);
}

Registry& Tmain::sharedRegistry() {
    if (!registry_) registry_ = std::make_unique<Registry>(ports_.registry, RegRoot::localMachine);
    return *registry_;
}

void Tmain::ReadSettings() {
    pluginName = texts::kDefaultPlugin;
    settingsRead_ = false;
    bool stored = false;
    const std::string plugin =
        readSettings(sharedRegistry(), model, ports_.system.screenSize(), &stored);
    pluginName = pluginToBind(stored, plugin);
    settingsRead_ = true;
}

// After a read cut short the model holds defaults for what was not read; writing them would
// replace the user's stored values.
void Tmain::WriteSettings() {
    if (settingsRead_) writeSettings(sharedRegistry(), model);
}

}  // namespace spindrel
