#pragma once
// The real main window: a frameless, stay-on-top window in the shape of its skin. It builds the
// panels, labels and skinned buttons as child windows, binds each control to the model fields it
// shows, and turns window messages into calls of Tmain's handlers.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/tmain.h"
#include "platform/win32/win32_system.h"
#include "ui/win32/binding.h"
#include "ui/win32/cool_button_view.h"
#include "ui/win32/edit_box.h"
#include "ui/win32/label_view.h"
#include "ui/win32/pictures.h"
#include "ui/win32/surface.h"

namespace spindrel {

class MainWindow : public Background {
public:
    static constexpr const char* kClassName = "Tmain";

    MainWindow(Tmain& tmain, Win32System& system);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window (start-up runs inside) and shows it unless start-up said not to.
    // False when the program is to end at once.
    bool create(HINSTANCE instance);
    HWND handle() const { return window_; }

    // Brings the window up to date with the model: each binding applies only what changed.
    void reflect();

    // The skin picture and the region lights.
    void paint(HDC dc) override;

    // The click list's messages pass here first (its keys reach the window's shortcuts).
    LRESULT clickListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // Window messages (main_window.cpp).
    bool OnCreate(HINSTANCE instance);
    bool OnClose();
    bool OnDestroy();
    bool OnMove();
    bool OnSize(WPARAM kind);
    bool OnPaint();
    bool OnSetCursor(LPARAM lParam);
    bool OnLeftButtonDown();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnNotify(LPARAM lParam);
    void OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    void dragWindow();
    void showFirstTime();

    // Building the children and binding them to the model (main_window_build.cpp).
    void buildChildren();
    void buildModifiedMark();
    void paintUnderMark(HDC dc) const;
    void buildClickList(HWND parent);
    void buildEditors(HWND dsmPanel, HWND buttonPanel, HWND configPanel);
    CoolButtonView& addButton(HWND parent, CoolButton& button, std::function<void()> onClick);
    LabelView& addLabel(HWND parent, const Control& label, const LabelLook& look);
    void bindWindow();
    void bindChildren();
    void bindHints();
    void paintPanel(HDC dc, int width, int height, const Image& picture);
    // The tooltip tool (and the window timer that hides it) for the plug-in name in test mode.
    static constexpr UINT_PTR kImage4Tip = 1000;
    void popImage4Hint();
    void hideImage4Hint();

    // Showing the model (main_window_reflect.cpp).
    void reflectRemoteButtons();
    void reflectClickRows();
    void reflectClickSelection();
    void reflectRequests();
    void applyRegion();
    void syncClickSelection();
    void noteClickListTopRow();
    HCURSOR cursorOf(CursorShape shape) const;

    // The popup menus (main_window_menus.cpp).
    // where: the screen point of a WM_CONTEXTMENU, -1 when it comes from the keyboard.
    void showClickMenu(LPARAM where);
    POINT clickMenuPlace(LPARAM where) const;
    void showButtonMenu();
    void showSpindrelMenu();
    void showPlayerMenu();
    void showPanelMenu();

    Tmain& tmain_;
    Win32System& system_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    PictureCache pictures_;
    FontHandle labelFont_;
    FontHandle listFont_;
    FontHandle titleFont_;
    FontHandle plainTitleFont_;
    FontHandle italicFont_;
    FontHandle markFont_;
    FontHandle editFont_;
    FontHandle waitFont_;
    FontHandle waitBoldFont_;
    BrushHandle lcdBrush_;
    Bindings bindings_;

    std::unique_ptr<Surface> bigArea_;
    std::unique_ptr<Surface> smallArea_;
    std::map<const Control*, std::unique_ptr<Surface>> panels_;
    std::vector<std::unique_ptr<CoolButtonView>> buttons_;
    std::vector<std::unique_ptr<LabelView>> labels_;
    LabelView* mark_ = nullptr;
    std::unique_ptr<EditBox> autoexec_;
    std::unique_ptr<EditBox> notes_;
    std::unique_ptr<EditBox> editwait_;
    HWND clickList_ = nullptr;
    WNDPROC clickListProc_ = nullptr;
    std::vector<Click> shownRows_;
    bool rowsShown_ = false;
    int shownSelection_ = -2;
    int shownTopRow_ = -1;
    bool readingTopRow_ = false;
    bool updatingList_ = false;
    std::vector<std::unique_ptr<CoolButtonView>> remoteButtons_;
    int shownRemoteVersion_ = -1;

    bool created_ = false;
    bool shown_ = false;
    bool minimized_ = false;
    bool quitPosted_ = false;
    bool closePosted_ = false;
    int appliedRegion_ = 0;
};

}  // namespace spindrel
