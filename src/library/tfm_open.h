#pragma once
// The DSM library dialog's behaviour: the skin, the listing of the DSM folder with the
// descriptions from the index, the background filling of the missing ones, sorting, quick
// search, load, rename and delete. The Win32 window calls these handlers and shows the model.

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "base/timer.h"
#include "library/description_index.h"
#include "library/library_model.h"
#include "platform/bitmap_port.h"
#include "platform/file_io_port.h"
#include "platform/file_system_port.h"
#include "platform/message_box_port.h"
#include "platform/message_pump_port.h"
#include "platform/timer_port.h"

namespace spindrel {

struct LibraryPorts {
    FileSystemPort& files;
    FileIoPort& fileIo;
    BitmapPort& bitmaps;
    TimerService& timers;
    MessageBoxPort& messages;
    MessagePump& pump;
    // The caption of the program's message boxes.
    std::function<std::string()> boxCaption;
};

// What the dialog reads of the main window when it opens.
struct ShowFacts {
    PlacementFacts placement;
    ScreenRect openbtn;  // on the screen, right and bottom inclusive
    bool animateSliders = false;
};

// The timer's three states.
enum class FillState { firstTickPending, filling, stopped };

class TfmOpen {
  public:
    explicit TfmOpen(LibraryPorts ports);
    TfmOpen(const TfmOpen&) = delete;
    TfmOpen& operator=(const TfmOpen&) = delete;

    LibraryModel model;
    // Drives the first listing and the filling; Timer1Tag is its position: -1 first tick
    // pending, else the first row not yet looked at.
    Timer Timer1;
    int Timer1Tag = 0;
    // The index list: the descriptions known, read from and written to "descriptions.idx".
    DescriptionIndex index;

    // Set-up: picture, outline and buttons. A failure leaves tag -99 and the text to show.
    void FormCreate();
    bool failed() const { return model.tag == kFailed; }
    bool LoadMaskFromFile(const std::string& path);

    // Places the dialog and starts the first listing; returns the frames of the opening
    // animation to draw (none when it is off or the button is not under the dialog).
    std::vector<ScreenRect> FormShow(const ShowFacts& facts);
    // However the dialog closes: the index is written when every listed row has its
    // description.
    void FormClose();
    void Timer1Timer();
    FillState fillState() const;

    void based_serialClick() { listDsms(library_list::kSerialBased); }
    void based_meaningfulClick() { listDsms(library_list::kMeaningful); }
    void sortfileClick() { sortClick(model.sortfile.tag); }
    void sortdescClick() { sortClick(model.sortdesc.tag); }
    bool sortedByDescription() const;

    void FileListSelect(int row);
    // A character typed in the grid: Enter loads, a printable one opens the quick search.
    void FileListKeyPress(char key);
    void FileListDblClick() { loadbtnClick(); }
    // Right button on a cell: the row is selected and the menu is to open.
    void FileListRightClick(int row) { FileListSelect(row); }

    void quicksrchChange(const std::string& text);
    // Enter in the box, or the box losing the focus.
    void quicksrchDone() { quicksrchChange(""); }

    void loadbtnClick();
    void cancelbtnClick();
    void Load1Click() { loadbtnClick(); }
    // rowTop: the selected row's top within the grid.
    void Rename1Click(int rowTop);
    void namefieldEnter(const std::string& typed);
    void namefieldExit();
    void Delete1Click();

    // Runs a handler and shows whatever it throws in the program's standard error box, as the
    // main window does; the window wraps every event with it.
    template <typename Fn>
    void guarded(Fn&& handler) {
        try {
            handler();
        } catch (const std::exception& error) {
            showException(error);
        }
    }
    void showException(const std::exception& error);

  private:
    static constexpr int kFailed = -99;

    void listDsms(int list, const std::vector<FileEntry>* snapshot = nullptr);
    void readIndex(const std::vector<FileEntry>& entries);
    void writeIndex();
    void fillOneDescription();
    // A click on a sort label; ignored while a listing runs.
    void sortClick(int column);
    void sortBy(int column);
    void sizeColumn1();
    void rowsChanged() { ++model.rowsVersion; }
    bool hasSelection() const;
    LibraryRow& selectedRow() { return model.rows[static_cast<std::size_t>(model.selected)]; }
    void showError(const char* text);

    LibraryPorts ports_;
    // A listing pumps messages part way; clicks that would rebuild the rows wait for its end.
    bool listing_ = false;
};

}  // namespace spindrel
