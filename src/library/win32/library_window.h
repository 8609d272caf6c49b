#pragma once
// The real library dialog: a frameless, stay-on-top window in the shape of its skin, with the
// DSM grid (a virtual list view the window paints itself), the sort and list labels, the two
// skinned buttons, the rename field, the quick-search box and the grid's menu. It shows the
// core's model after every event and runs modally with a message loop of its own.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "library/tfm_open.h"
#include "ui/win32/cool_button_view.h"
#include "ui/win32/gdi.h"
#include "ui/win32/pictures.h"
#include "ui/win32/surface.h"

namespace spindrel {

class LibraryWindow : public Background {
  public:
    static constexpr const char* kClassName = "TfmOpen";

    LibraryWindow(TfmOpen& dialog, HWND owner);
    ~LibraryWindow() override;
    LibraryWindow(const LibraryWindow&) = delete;
    LibraryWindow& operator=(const LibraryWindow&) = delete;

    HWND handle() const { return window_; }
    HWND grid() const { return grid_; }

    // Shows the dialog, disables the owner and runs messages until the dialog closes.
    std::optional<std::string> runModal(const ShowFacts& facts);
    // Brings the window up to date with the model.
    void reflect();
    // Runs after every message of the modal loop (the owner's own reflection).
    std::function<void()> afterMessage;

    void paint(HDC dc) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT gridMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT fieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

    void buildChildren();
    void addTip(HWND control, const std::string& text);
    void addTipRect(UINT_PTR id, const Control& control);
    void drawOpening(const std::vector<ScreenRect>& frames);
    void applyRegion();
    void reflectGrid();
    void reflectFocus();

    bool OnLeftButtonDown(int x, int y);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnNotify(LPARAM lParam, LRESULT& result);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnGridRightClick(int row);
    void updateGridTip();
    void paintPanel1(HDC dc, int width, int height);
    static std::string textOf(HWND window);
    // Runs a core handler, then shows what it changed.
    void handle(const std::function<void()>& handler);
    // True when the key was the dialog's own (Escape, Enter in the list).
    bool dialogKey(const MSG& message);

    TfmOpen& dialog_;
    HWND owner_;
    HWND window_ = nullptr;
    HWND grid_ = nullptr;
    HWND namefield_ = nullptr;
    HWND quicksrch_ = nullptr;
    HWND tooltip_ = nullptr;
    WNDPROC gridProc_ = nullptr;
    WNDPROC fieldProc_ = nullptr;
    std::unique_ptr<Surface> panel1_;
    std::unique_ptr<CoolButtonView> loadbtn_;
    std::unique_ptr<CoolButtonView> cancelbtn_;
    PictureCache pictures_;
    FontHandle font_;
    FontHandle boldFont_;
    FontHandle wingdings_;
    FontHandle captionFont_;

    int appliedRegion_ = 0;
    int shownRowsVersion_ = -1;
    int shownSelection_ = -2;
    int shownColumn1_ = -1;
    LibraryFocus shownFocus_ = LibraryFocus::FileList;
    bool haveWingdings_ = false;
    bool frozen_ = false;
    bool updating_ = false;
    std::string shownLabels_;
    std::string gridTip_;
    int tipRow_ = -1;
    int tipColumn_ = -1;
};

}  // namespace spindrel
