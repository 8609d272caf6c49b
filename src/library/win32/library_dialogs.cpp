#include "library/win32/library_dialogs.h"

#include <memory>

#include "library/win32/library_window.h"

namespace spindrel {

namespace {
ScreenRect screenRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}
}  // namespace

class LibraryDialogs::Dialog : public LibraryDialog {
  public:
    explicit Dialog(LibraryDialogs& owner)
        : owner_(owner),
          core_(LibraryPorts{owner.files_, owner.fileIo_, owner.bitmaps_, owner.timers_,
                             owner.messages_, owner.pump_, owner.boxCaption}) {
        core_.model.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
        core_.FormCreate();
        if (core_.failed())
            return;
        window_ = std::make_unique<LibraryWindow>(core_, owner.owner_);
        window_->afterMessage = [this] {
            if (owner_.afterMessage)
                owner_.afterMessage();
        };
    }
    ~Dialog() override {
        if (owner_.open_ == this)
            owner_.open_ = nullptr;
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    std::string setupError() override { return core_.failed() ? core_.model.pendingError : ""; }

    std::optional<std::string> showModal() override {
        if (!window_)
            return std::nullopt;
        ShowFacts facts;
        facts.placement = placementFacts(owner_.owner_);
        if (owner_.opener) {
            const OpenerView view = owner_.opener();
            facts.openbtn = view.openbtn;
            facts.animateSliders = view.animateSliders;
        }
        owner_.open_ = this;
        // Boxes asked while the dialog runs belong to it: owned by the disabled main window
        // they would enable it again when they close.
        owner_.messages_.setOwner(window_->handle());
        std::optional<std::string> chosen = window_->runModal(facts);
        owner_.messages_.setOwner(owner_.owner_);
        owner_.open_ = nullptr;
        return chosen;
    }

    void reflect() {
        if (window_)
            window_->reflect();
    }

  private:
    LibraryDialogs& owner_;
    TfmOpen core_;
    std::unique_ptr<LibraryWindow> window_;
};

LibraryDialogs::LibraryDialogs(FileSystemPort& files, FileIoPort& fileIo, BitmapPort& bitmaps,
                               TimerService& timers, Win32MessageBox& messages, MessagePump& pump)
    : files_(files),
      fileIo_(fileIo),
      bitmaps_(bitmaps),
      timers_(timers),
      messages_(messages),
      pump_(pump) {}

std::unique_ptr<LibraryDialog> LibraryDialogs::create() {
    return std::make_unique<Dialog>(*this);
}

void LibraryDialogs::reflect() {
    if (open_ != nullptr)
        open_->reflect();
}

PlacementFacts LibraryDialogs::placementFacts(HWND mainWindow) {
    PlacementFacts facts;
    facts.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    facts.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT rect;
    GetWindowRect(GetDesktopWindow(), &rect);
    facts.desktop = screenRect(rect);
    if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr); taskbar != nullptr) {
        GetWindowRect(taskbar, &rect);
        facts.taskbar = screenRect(rect);
    }
    if (mainWindow != nullptr && GetWindowRect(mainWindow, &rect)) {
        facts.mainWindow = screenRect(rect);
    }
    return facts;
}

}  // namespace spindrel
