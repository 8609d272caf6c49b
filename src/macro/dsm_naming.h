#pragma once
// Where a DSM lives and what it is called: the file panel's New, Open, Save, Make name and Clear
// name, the question before unsaved changes go, and the controller's two ways of attaching the
// disc's DSM to the document.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "disc/disc_scanner.h"
#include "macro/dsm_document.h"
#include "macro/file_panel.h"
#include "platform/file_system_port.h"
#include "platform/library_dialog_port.h"
#include "platform/message_box_port.h"
#include "platform/message_pump_port.h"
#include "platform/save_dialog_port.h"

namespace spindrel {

// What the file operations need from the rest of the main window.
struct DsmNamingHooks {
    // The known button names: the captions of the button menu's items.
    std::function<std::vector<std::string>()> knownButtons;
    // Slides in the "D.S.M. Info" panel (after a successful open).
    std::function<void()> showInfoPanel;
    // Sets the mouse pointer where it already is, so the control under it brings its pointer
    // and hint up to date.
    std::function<void()> refreshPointer;
    // The caption of the program's message boxes.
    std::function<std::string()> boxCaption;
};

// "1A2B:3C4D" gives "1a2b3c4d.dsm"; an empty identity gives "".
std::string defaultDsmName(const std::string& identity);

SaveDialogOptions dsmSaveDialogOptions(const std::string& initialFolder);

class DsmNaming {
  public:
    DsmNaming(DsmDocument& document, DiscScanner& disc, FileSystemPort& files,
              MessageBoxPort& messages, MessagePump& pump, SaveDialogPort& saveDialog,
              LibraryDialogPort& libraryDialog, DsmNamingHooks hooks);

    FilePanelModel& panel() { return panel_; }
    // The save dialog's initial folder: the DSM folder, set at start-up.
    std::string saveDialogInitialDir;

    // True: go on (nothing to save, changes dropped, or saved); false: the user cancelled.
    bool askAboutUnsavedChanges();

    void newbtnClick();
    void openbtnClick();
    // Also the modified mark's click and Ctrl+S.
    void savebtnClick();
    void makenamebtnClick();
    void clearnamebtnClick();

    // For the controller: scans and, when the disc has a DSM, loads it (true); otherwise gives an
    // unnamed document the disc's name.
    bool selectDiscDsm();
    // For the controller: loads the named DSM as the file panel's Open does.
    bool loadDsm(const std::string& name) { return loadDocumentAs(name); }
    // For the controller, after a "/b" start found no DSM: names the document after the disc and
    // starts its notes.
    void prepareDiscNewDsm();

  private:
    void repaint() { pump_.processMessages(); }
    bool loadDocument();
    // Names the document and loads it; when the file cannot be read the name goes back too.
    bool loadDocumentAs(const std::string& name);
    MsgAnswer ask(const std::string& text);

    DsmDocument& document_;
    DiscScanner& disc_;
    FileSystemPort& files_;
    MessageBoxPort& messages_;
    MessagePump& pump_;
    SaveDialogPort& saveDialog_;
    LibraryDialogPort& libraryDialogPort_;
    DsmNamingHooks hooks_;
    FilePanelModel panel_;
    std::unique_ptr<LibraryDialog> libraryDialog_;
};

}  // namespace spindrel
