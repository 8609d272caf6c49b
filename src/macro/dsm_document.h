#pragma once
// The main window's one DSM document: its name, notes, clicks, totals and modified mark, and the
// operations every other part uses on it.

#include <string>
#include <vector>

#include "macro/dsm_format.h"
#include "platform/file_io_port.h"
#include "platform/file_system_port.h"
#include "ui/control.h"

namespace spindrel {

struct DsmModel {
    DsmModel();

    Control dsm_name;                // the document's file name; empty: none
    std::vector<std::string> Notes;  // the memo's lines
    std::vector<Click> ClickList;
    // Changes whenever the whole list is replaced (load, paste, new), so a selection made in
    // the list before cannot point into the new one.
    int clickListGeneration = 0;
    Control ModLabel;  // visible exactly while the document has unsaved changes
    Control NoClicks;
    Control runtime;
};

// The memo takes at most this many typed characters in all.
inline constexpr int kNotesMaxLength = 200;

class DsmDocument {
  public:
    DsmDocument(DsmModel& model, FileSystemPort& files, FileIoPort& io);

    DsmModel& model() { return model_; }
    const std::string& fileName() const { return model_.dsm_name.caption; }
    void setFileName(const std::string& name) { model_.dsm_name.caption = name; }

    // Reads the file named by the document's name. False, and nothing changed, when no such file
    // exists. A file that cannot be read throws InOutError and leaves the document as it was.
    bool load(const ButtonNames& known);
    // Writes the document to the file; on failure throws InOutError and leaves the file, the
    // document and its modified mark as they were.
    void save(const std::string& fileName);
    void clear();
    // Refreshes NoClicks and runtime from the list (done when the info panel slides in).
    void recount();

    void markModified() { model_.ModLabel.visible = true; }
    void clearModified() { model_.ModLabel.visible = false; }
    bool modified() const { return model_.ModLabel.visible; }

    // A change of the memo by the user.
    void notesChanged(std::vector<std::string> lines);
    void appendNotes(const std::vector<std::string>& lines);

    // Replaces notes, clicks and totals with what a load or paste took.
    void fill(DsmContent content);

  private:
    DsmModel& model_;
    FileSystemPort& files_;
    FileIoPort& io_;
};

}  // namespace spindrel
