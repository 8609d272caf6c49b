#pragma once
// The main window's behaviour: start-up, the timers it owns, closing. The Win32 front end
// creates the real window and calls these handlers; the model holds what it shows.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "app/main_model.h"
#include "app/ports.h"
#include "app/single_instance.h"
#include "base/registry.h"
#include "base/timer.h"
#include "disc/disc_scanner.h"
#include "macro/dsm_document.h"
#include "macro/dsm_naming.h"
#include "macro/click_sync.h"
#include "platform/player_port.h"

namespace spindrel {

// Move state bits kept with the slide timer.
namespace move_state {
inline constexpr int kBigMask = 0x0F;
inline constexpr int kSmallMask = 0x70;
inline constexpr int kInactiveIn = 0x10;
inline constexpr int kActiveIn = 0x30;
inline constexpr int kDeferredTest = 0x80;
}  // namespace move_state

namespace panel_left {
inline constexpr int kSmallHidden = -199;
inline constexpr int kBigHidden = -318;
inline constexpr int kBigWidth = 291;
}  // namespace panel_left

// The title's progress bar while an automatic run waits for a disc: r from 1 (five dashes) to 5.
std::string progressTitle(int r);

class Tmain {
public:
    explicit Tmain(Ports ports);
    ~Tmain();
    Tmain(const Tmain&) = delete;
    Tmain& operator=(const Tmain&) = delete;

    // The window exists (it has a handle): the single-instance guard, then FormCreate. Any
    // error of FormCreate is shown in the standard error box and ends the start-up there.
    void create(std::uint32_t instanceHandle, std::uint32_t windowHandle);

    void FormCreate();
    // Loads the shaped window's skin; when that fails the error is shown and the window, moved
    // off the screen, closes.
    void FormShow();
    bool LoadMainSkin();
    bool LoadMaskFromFile(const std::string& path);
    // The panels' pictures, the skinned buttons and the remote panel; shows the pending error
    // and returns false when one of them cannot be read.
    bool PreparePanels();
    bool BuildRemotePanel();
    // True: the window may close.
    bool FormCloseQuery();
    void FormClose();

    void ApplicationMinimize();
    void ApplicationRestore();

    // The user moved the window.
    void moved(int left, int top);

    // The controller: one state per tick.
    void Timer1Timer();
    // Starts the player (and the other program) when needed, finds the disc and, with the
    // look-up, its DSM; true when a macro run was scheduled.
    bool AutoRunStep(bool lookUp);

    // The player: the 500 ms watch, the start-player button, locating the player by hand, and
    // the wait for the player to answer.
    void PCDVD_TimerTimer();
    void dvdbtnClick();
    bool ManualPlayerLocate();
    // The plug-in's answer: non-zero when the player is ready for this program's presses.
    std::int32_t WaitForPlayerStep();

    // Panels and slides.
    void StartMove(int code);
    void SliderTimer();
    void HideSlide(int panel);
    void panelselect_menuPopup();
    void PlayerWatchUpdate();
    void PanelEnabling();
    // Big panel k (1-5, 7), or nullptr for a number without a panel.
    Control* bigPanel(int k);
    // The highest-numbered big panel in view, 0 when none is.
    int bigPanelInView();
    bool slideRunning() const { return Slider.enabled(); }

    // Configuration panel and keyboard.
    void SaveRequest();
    void SettingsSaveTimerTimer();
    void checkbox_change(int tag);
    void autoexecChange(const std::string& text);
    void DropWatchFilesDropped(const std::vector<std::string>& files);
    void FormKeyDown(int virtualKey, bool alt);
    void FormKeyPress(char typed);
    // The player plug-in (tmain_player_choice.cpp): the list of the plug-ins beside the program,
    // made when it opens; choosing one stores it for the next start and offers a restart.
    void playerlabelClick();
    void playermenuClick(int index);
    // The plug-in the program binds: the stored one, else the one whose player is installed.
    std::string pluginToBind(bool stored, const std::string& storedName);
    void showBoundPlayer();
    std::string playerNameOf(const std::string& pluginPath);

    // The autoplay buttons: Disc Detector with "/a" or "/b", and the Spindrel+ menu's two
    // options (tag 1 gives "/a", any other "/b").
    void optionabtnClick();
    void optionbbtnClick();
    void setup_spindrel(int tag);
    // Windows AutoPlay for the current user: asks for the option (Yes "/a", No "/b").
    void autoplaybtnClick();

    // What the panels need from the document, the macro player and the recorder.
    void refreshDsmFigures();
    bool notesEmpty();
    int clickCount();
    bool macroPlaying();
    void onDsmInfoArrived();
    void onRemoteArrived();

    // The standard error box for an unexpected error.
    void showException(const std::exception& error);
    // Runs a handler and shows whatever it throws; the front end wraps every event with it.
    template <typename Fn>
    void guarded(Fn&& handler) {
        try {
            handler();
        } catch (const std::exception& error) {
            showException(error);
        }
    }

    void ReadSettings();
    void WriteSettings();
    // The program's one registry access object, made by the first settings read.
    Registry& sharedRegistry();
    // The closed program starts anew (the player plug-in was changed).
    void restartProgram();

    // What only the front end can do in the middle of a handler: show the model at once (before a
    // modal box), and set the mouse pointer where it is, so the control under it shows its own.
    struct FrontEnd {
        std::function<void()> reflectNow;
        std::function<void()> refreshPointer;
    };
    FrontEnd frontEnd;

    // Process-wide state.
    int run_mode = 0;
    int controller_state = 0;
    int moveState = 0;  // kept with the slide timer
    std::string pluginName;
    std::string dsmFolder;

    MainModel model;
    Timer Timer1;
    Timer PCDVD_Timer;
    Timer Slider;

    DsmDocument document;
    DiscScanner disc;
    DsmNaming naming;

    // "C" to "Z" of the last drive scan, 0 when none was found.
    char dvdDriveLetter() const { return model.disc.dvdDrive; }
    // The captions of the button menu's items: the names DSMs may use.
    std::vector<std::string> knownButtons();

    PlayerPort& player() { return *player_; }
    bool pluginBound() const { return pluginBound_; }
    Registry* registry() { return registry_.get(); }
    Ports& ports() { return ports_; }

private:
    void nextState(int state, int interval);
    void closeMainWindow();

    // The automatic run's wait for its player: first for the window, then for its answer.
    enum class PlayerLoss { neverCame, vanished, unreachable };
    void awaitPlayerFrom(double nowMs);
    // True when the window is there; else the state polls again, or past the bound the run ends.
    bool playerWindowCame(int state);
    // True when the player answered; else it is started (or told the disc) once more.
    bool playerAnswered(int state);
    void EndRunWithoutPlayer(PlayerLoss loss);
    double playerDeadlineMs_ = 0;
    bool playerRestarted_ = false;
    void afterOutSlide();
    void smallPanelAfterOutSlide();
    MsgAnswer askYesNo(const std::string& text);
    void onAlreadyRunning();
    void parkPanels();
    void prepareDsmFolder();

    Ports ports_;
    TSingleInstance singleInstance_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<PlayerPort> player_;
    bool pluginBound_ = false;
    // Every setting was read; only then may they be written back.
    bool settingsRead_ = false;

    // Remote panel, macro player, recorder and click list editor. Declared after ports_, whose
    // timer service their timers need.
public:
    // Remote panel. index: the button's place in model.remoteButtons.
    void dvdbuttonclick(int index);
    void dvdbuttonmousemove(int index);
    // The 500 ms hint check. The front end keeps bitmapButtonUnderMouse up to date: whether the
    // control under the mouse (disabled ones included) is a skinned bitmap button.
    void remoteHintCheck();
    bool bitmapButtonUnderMouse = false;
    void ButtonMenuPopup();
    void ButtonSelected(int menuIndex);
    void ShowRemoteButtons();
    // Name to command code: the last matching item's tag (-1: none), and every match's tag.
    int buttonCode(const std::string& name);
    std::vector<int> buttonCodes(const std::string& name);

    // Macro player.
    bool StartMacroStep();
    void ClickTimerTimer();
    void RunEndStep(bool completed);
    void stopbtnClick();
    void resetbtnClick();
    void testbtnClick();
    void continue_macroClick();
    void press_oneClick();
    // The controller's states 3 (completed: the selection goes too) and 9, three seconds after a
    // run: "Macro Complete" or "Macro Interrupted" goes.
    void ClearRunMessage(bool completed);
    // The click counter, kept with the click timer: the index of the click scheduled next.
    int clickCounter = 0;
    // On the precise timers: a press is due to the millisecond, however busy the queue is.
    Timer ClickTimer{ports_.superTimers, 10, [this] { guarded([this] { ClickTimerTimer(); }); }};

    // Saves the settings after a change made while a controller sequence runs.
    Timer SettingsSaveTimer{ports_.timers, 10,
                            [this] { guarded([this] { SettingsSaveTimerTimer(); }); }};

    // Recorder.
    void RecBtnClick();
    void StartRecording();
    void RecordPress(int menuIndex);
    void RecordTimerTimer();
    double recordOriginMs = 0;
    Timer RecordTimer{ports_.timers, 100, [this] { guarded([this] { RecordTimerTimer(); }); }};

    // Click list editor.
    void ClickListClick();
    void ClickListChange();
    void ClickListInsert();
    void ClickListDeletion();
    void selectClick(int index);
    void editwaitChange(const std::string& text);
    void editwaitEnter();
    void editwaitExit();
    // True when the key was swallowed.
    bool editwaitKeyUp(int virtualKey);
    // True when the button menu is to open at the mouse (ButtonMenuPopup has run).
    bool buttonlabelMouseUp();
    void new_appendClick();
    void new_insertClick();
    void delete_clickClick();
    void delete_allClick();
    void ClickMenuPopup();
    // The items that give the selected click a condition, or take it away (tmain_conditions.cpp).
    void conditionMenuPopup();
    void when_menuClick();
    void when_titleClick();
    void when_noneClick();
    void copydsmClick();
    void pastedsmClick();
    // The selected click's index, -1 when none is (or the list has shrunk beneath it).
    int selectedClick() const;

private:
    void scrollClickIntoView(int index);
    void focusClickList();
    void focusEditwait();
    void applyCursorRule();
    void hideControllerButtonsForRun();
    void minimisePlayer();
    double sumOfWaits(int lastIndex);
    // Counts runs started and stopped, so a tick that let other handlers run while the player
    // was busy can tell that its run has been stopped meanwhile.
    int clickRun_ = 0;
    bool clickTickBusy_ = false;
    // A controller step is running (it may be letting other handlers run).
    bool controllerStepRunning_ = false;

    // Clicks that wait for the player's state (tmain_sync.cpp).
    void resetConditionWait();
    // Arms the click timer to wait for the click's condition; false when the click keeps its
    // blind time (no condition, an inert click, or a player that reports nothing).
    bool startConditionWait(const Click& click, double wait);
    // At a tick during such a wait: true when the click is now to be pressed; otherwise the click
    // timer is armed again.
    bool conditionWaitOver();
    void notePressSent();
    std::optional<ConditionWait> conditionWait_;
    // When the run's last press was sent; nothing before its first.
    std::optional<double> lastPressSentMs_;
    // The status line said that a click was pressed without its state: it stays until the next.
    bool missedShown_ = false;
    bool pressMissed_ = false;  // the press now due is the one pressed without its state

    // Recording with a player that reports its state: the condition a press carries, for the
    // state it was made in; none when the player is where it was at the press before.
    ClickCondition recordedCondition(const std::optional<PlayerState>& state);
    void keepPlayerStateFresh();
    std::optional<PlayerState> pressState_;
    struct RecordedState {
        PlayerState state;
        double pressMs = 0;
    };
    std::optional<RecordedState> lastRecordedState_;
};

}  // namespace spindrel
