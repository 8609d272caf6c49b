#pragma once
// The real main window: a frameless, stay-on-top window in the shape of its skin. It builds the
// panels and skinned buttons as child windows, shows the core's model after every event, and
// turns window messages into calls of Tmain's handlers.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/tmain.h"
#include "platform/win32/win32_system.h"
#include "ui/win32/cool_button_view.h"
#include "ui/win32/edit_box.h"
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

    // Brings the window up to date with the model.
    void reflect();

    // The skin picture with the disc display and the region lights.
    void paint(HDC dc) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate(HINSTANCE instance);
    bool OnClose();
    bool OnDestroy();
    bool OnMove();
    bool OnSize(WPARAM kind);
    bool OnPaint();
    bool OnSetCursor(LPARAM lParam);
    bool OnLeftButtonDown();
    bool OnCtlColor(HDC dc, LRESULT& brush);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    void reflectEditors();
    void reflectClickList();
    void reflectRemoteButtons();
    void OnNotify(LPARAM lParam);
    void showClickMenu();
    void showButtonMenu();
    void showSpindrelMenu();
    CoolButtonView& makeButtonView(HWND parent, CoolButton& button, std::function<void()> onClick);

    void showFirstTime();
    void buildChildren();
    CoolButtonView& addButton(HWND parent, CoolButton& button, std::function<void()> onClick);
    struct PanelLabel {
        const Control* control;
        COLORREF colour;
    };
    void paintPanel(HDC dc, int width, int height, const Image& picture,
                    const std::vector<PanelLabel>& labels);
    void dragWindow();
    void showPanelMenu();
    void applyRegion();
    void addHint(HWND control, const std::string& text);
    void reflectHints();
    void reflectLabelHints();

    Tmain& tmain_;
    Win32System& system_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    PictureCache pictures_;
    FontHandle labelFont_;
    FontHandle titleFont_;
    FontHandle italicFont_;
    FontHandle markFont_;
    FontHandle editFont_;
    BrushHandle lcdBrush_;

    std::unique_ptr<Surface> bigArea_;
    std::unique_ptr<Surface> smallArea_;
    std::map<const Control*, std::unique_ptr<Surface>> panels_;
    std::vector<std::unique_ptr<CoolButtonView>> buttons_;
    std::unique_ptr<EditBox> autoexec_;
    std::unique_ptr<EditBox> notes_;
    std::unique_ptr<EditBox> editwait_;
    HWND clickList_ = nullptr;
    std::string shownClicks_;
    int shownSelection_ = -2;
    bool updatingList_ = false;
    std::vector<std::unique_ptr<CoolButtonView>> remoteButtons_;
    int shownRemoteVersion_ = -1;
    std::map<HWND, std::string> hints_;
    std::map<UINT_PTR, std::string> labelHints_;
    bool labelHintsAdded_ = false;

    bool shown_ = false;
    bool minimized_ = false;
    bool quitPosted_ = false;
    bool closePosted_ = false;
    bool frozen_ = false;
    int appliedRegion_ = 0;
    std::string shownTitle_;
    std::string shownLabels_;
};

}  // namespace spindrel
