#pragma once
// The visible state of the main window as plain data. Core handlers change it; the front end
// shows it after every event; tests read it.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "autoplay/autoplay_texts.h"
#include "disc/disc_scanner.h"
#include "macro/dsm_document.h"
#include "macro/macro_texts.h"
#include "ui/control.h"
#include "ui/cool_button.h"

namespace spindrel {

enum class WindowState { normal, minimized };

inline CoolButton disabledButton() {
    CoolButton button;
    button.enabled = false;
    return button;
}

// An item of the button menu: a new column (with a bar) starts at it when breakColumn is set.
struct ButtonMenuItem : MenuItem {
    bool breakColumn = false;
};

enum class CursorShape { arrow, hand, ibeam };

inline Control hintLabel() {
    Control label;
    label.tag = -1;
    return label;
}

inline Control editwaitField() {
    Control field;
    field.hint = macro_texts::kEditwaitHint;
    field.alignment = TextAlign::center;
    return field;
}

inline std::vector<MenuItem> clickMenuItems() {
    return {
        {"new_append", "Manually Create a new Button Click", true, false, false, 0},
        {"new_insert", "Insert a New Button Click", true, false, false, 0},
        {"delete_click", "Delete this Button Click", true, false, false, 0},
        {"delete_all", "Delete all Button Clicks (start again)", true, false, false, 0},
        {"N1", "-", true, false, false, 0},
        {"continue_macro", "Continue \"Test Macro\" from here", true, false, false, 0},
        {"press_one", "Perform this one Button Click only", true, false, false, 0},
        {"N3", "-", true, false, false, 0},
        {"when_menu", "Press when a menu shows", true, false, false, 0},
        // Its caption names the title (see conditionMenuPopup).
        {"when_title", "Press when title 1 plays", true, false, false, 0},
        {"when_none", "Press at its time, without waiting for the player", true, false, false, 0},
        {"N2", "-", true, false, false, 0},
        {"copydsm", "Copy DSM to Clipboard", true, false, false, 0},
        {"pastedsm", "Paste DSM from Clipboard", true, false, false, 0},
    };
}

// The Spindrel+ menu: both options share setup_spindrel, which reads the tag (1: "/a").
inline std::vector<MenuItem> spindrelMenuItems() {
    return {
        {"OptionA1", autoplay_texts::kOptionA1, true, false, false, 1},
        {"OptionB1", autoplay_texts::kOptionB1, true, false, false, 2},
        {"N9", "-", true, false, false, 0},
        {"Cancel1", autoplay_texts::kCancel1, true, false, false, 0},
    };
}

// Where a popup menu opens: a point in a control's client area, and whether the menu's right
// edge (rather than its left) lies there.
struct MenuAnchor {
    int x = 0;
    int y = 0;
    bool rightAligned = false;
};

struct MainModel {
    // Places every control where the form design puts it.
    MainModel();

    // The application object: its title is the taskbar text (the skinned window has no caption).
    std::string applicationTitle = "DVD Spindrel";
    int hintHidePause = 2500;
    bool terminateRequested = false;

    // The main window (design position and client size; the window has no border).
    int left = 294;
    int top = 496;
    int width = 512;
    int height = 160;
    WindowState windowState = WindowState::normal;
    bool showAllowed = true;   // false: the window is never to be shown
    bool closeRequested = false;

    // Configuration panel.
    Control cbox_1;  // Reset_Before_Test
    Control cbox_2;  // Animate_Sliders
    Control cbox_3;  // Launch_Other_Program
    Control autoexec;
    CoolButton optionabtn;
    CoolButton optionbbtn;
    CoolButton spindrelbtn;
    CoolButton autoplaybtn;  // Windows AutoPlay
    std::vector<MenuItem> spindrelmenu = spindrelMenuItems();
    MenuAnchor spindrelmenuAnchor{20, 1, true};  // in spindrelbtn
    // The player plug-in: its player's name, and the plug-ins beside the program to choose from
    // (each item's name is the plug-in's file, the bound one checked). Choosing one may ask for
    // a restart, which the close then makes.
    Control playerlabel;
    std::vector<MenuItem> playermenu;
    bool restartRequested = false;

    // The DSM document (its name is shown on the file panel) and the disc display.
    DsmModel dsm;
    DiscModel disc;

    // Remote panel: the recorder's clock.
    Control timeindex = labelWithCaption("0s");

    // About panel, active controller panel.
    Control myversion = labelWithCaption("beta");
    Image Image4;  // the active controller panel's picture; its hint names the plug-in

    // Sliding panels: two small controller panels and six big ones.
    Control inactive_panel;
    Control active_panel;
    Control dsm_panel;
    Control button_panel;
    Control file_panel;
    Control config_panel;
    Control remote_panel;
    Control about_panel;

    std::vector<MenuItem> panelselect_menu{
        {"newpanel1", "&D.S.M. Info", true, false, false, 1},
        {"newpanel2", "&Button List", true, false, false, 2},
        {"newpanel3", "&Filesystem", true, false, false, 3},
        {"newpanel4", "&Configuration", true, false, false, 4},
        {"newpanel7", "&About !", true, false, false, 7},
        {"newpanel5", "PC-DVD Controller          ", false, false, false, 5},
    };

    // The shaped window: its picture, and the outline last read from its mask file.
    Image CoolForm1;
    std::vector<std::uint8_t> windowRegion;
    int windowRegionVersion = 0;  // changes each time a new outline is to be applied
    // The one message the skin loads leave for the file they failed on.
    std::string pendingError;

    // Pictures of the panels, the logo and the region lights.
    Image logo_pic;
    Image inactive_pic;
    Image Image1;  // DSM info
    Image Image2;  // button list
    Image Image3;  // file system
    Image Image5;  // configuration
    Image Image6;  // remote
    Image Image8;  // about
    Image regionLed;  // one picture shown by all six region lights

    // Skinned buttons.
    CoolButton dvdbtn;
    CoolButton RecBtn;
    CoolButton stopbtn;
    CoolButton testbtn;
    CoolButton resetbtn;
    CoolButton refreshbtn;
    CoolButton newbtn;
    CoolButton openbtn;
    CoolButton savebtn;
    CoolButton makenamebtn;
    CoolButton clearnamebtn;
    CoolButton aboutbtn;
    CoolButton buttonbtn;
    CoolButton configbtn;
    CoolButton dsmbtn;
    CoolButton filesysbtn;
    CoolButton closebtn = disabledButton();
    CoolButton minimizebtn = disabledButton();

    // Remote panel: the button menu built from the plug-in's ability list (the program's table
    // of known buttons) and one remote button per entry that is not a separator, its tag the
    // index of its menu item. A rebuild replaces the buttons; the version changes each time.
    std::vector<ButtonMenuItem> ButtonMenu;
    std::vector<CoolButton> remoteButtons;
    int remoteButtonsVersion = 0;
    Control buttonhint = hintLabel();  // tag: the menu index whose name it shows, -1 none

    // Button List panel: the click list's selection and top row (the list shows six rows), the
    // wait field, the selected click's button, the line saying what comes next, and the list's
    // popup menu.
    int clickSelected = -1;
    int clickSelectedGeneration = 0;  // the list's generation the selection was made in
    int clickTopRow = 0;
    Control editwait = editwaitField();
    bool editwaitFocused = false;  // drawn bold while it has the focus
    Control buttonlabel;
    CursorShape buttonlabelCursor = CursorShape::arrow;
    CursorShape editwaitCursor = CursorShape::arrow;
    Control next_button;
    std::vector<MenuItem> ClickMenu = clickMenuItems();

    // The pending panel: the one that comes in when the panel in view has gone out (0: none).
    int panelselect_menuTag = 0;
    // Painting of the big-panel area is held during an instant switch.
    bool bigPanelAreaFrozen = false;
    // The program's window is to come to the foreground (the front end clears it once done).
    bool bringToFront = false;
    // Image4 is to show its hint (the plug-in's name) at once.
    bool showImage4Hint = false;

    // The control to give the keyboard focus, by name; the front end clears it once done.
    std::string focus;
    bool autoexecCaretAtEnd = false;
    // The program box's caret goes to the start with nothing selected, the focus staying where it
    // is; the front end clears it once done.
    bool autoexecCaretHome = false;

    std::string saveDialogInitialDir;
    int slideStepDivisor = 2;

    MenuItem& panelMenuItem(const std::string& name) {
        for (MenuItem& item : panelselect_menu) {
            if (item.name == name) return item;
        }
        throw std::logic_error("no panel menu item " + name);
    }
    MenuItem& spindrelMenuItem(const std::string& name) {
        for (MenuItem& item : spindrelmenu) {
            if (item.name == name) return item;
        }
        throw std::logic_error("no Spindrel+ menu item " + name);
    }
    MenuItem& clickMenuItem(const std::string& name) {
        for (MenuItem& item : ClickMenu) {
            if (item.name == name) return item;
        }
        throw std::logic_error("no click menu item " + name);
    }
};

}  // namespace spindrel
