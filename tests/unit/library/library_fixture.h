#pragma once
// The library dialog over doubles: a DSM folder in memory, virtual time and scripted boxes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "library/tfm_open.h"
#include "support/fake_bitmaps.h"
#include "support/fake_file_io.h"
#include "support/fake_platform.h"
#include "support/scripted_message_boxes.h"
#include "support/virtual_clock.h"

namespace spindrel::testing {

class LibraryTest : public ::testing::Test {
  protected:
    LibraryTest() {
        files.directories.insert("C:\\dsm");
        files.current = "C:\\dsm";
        fileIo.put("../images/open_dialog.mask", std::string(4, '\0'));
    }

    void create() {
        dialog = std::make_unique<TfmOpen>(LibraryPorts{files, fileIo, bitmaps, clock, messages,
                                                        pump, [] { return "DVD Spindrel"; }});
        dialog->FormCreate();
        ASSERT_FALSE(dialog->failed()) << dialog->model.pendingError;
    }

    // Show, then the first tick: the index read and the serial-based names listed.
    void showAndList() {
        if (!dialog)
            create();
        dialog->FormShow(ShowFacts{});
        ASSERT_EQ(dialog->fillState(), FillState::firstTickPending);
        clock.advance(10);
    }
    // Ticks until the filling stops.
    void fillAll() { clock.runUntilIdle(); }

    void dsm(const std::string& name, const std::string& notes) {
        fileIo.put(name, notes.empty() ? std::string("1.0,Enter\r\n") : "#" + notes + "\r\n");
    }
    // An index written after every DSM so far.
    void index(const std::string& bytes) {
        fileIo.put("descriptions.idx", bytes);
        files.hidden.insert(files.resolve("descriptions.idx"));
    }

    std::vector<std::string> column(int which) const {
        std::vector<std::string> values;
        for (const LibraryRow& row : dialog->model.rows) {
            values.push_back(which == 0 ? row.name : which == 1 ? row.description : row.key);
        }
        return values;
    }
    std::vector<std::string> names() const { return column(0); }
    std::vector<std::string> descriptions() const { return column(1); }
    std::string selectedName() const {
        const LibraryModel& m = dialog->model;
        return m.selected < 0 ? "" : m.rows.at(static_cast<std::size_t>(m.selected)).name;
    }

    FakeFileSystem files;
    FakeFileIo fileIo{files};
    FakeBitmaps bitmaps;
    VirtualClock clock;
    ScriptedMessageBoxes messages;
    FakeMessagePump pump;
    std::unique_ptr<TfmOpen> dialog;
};

}  // namespace spindrel::testing
