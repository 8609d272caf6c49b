// The dialog's set-up, each show's listing, the filling of descriptions and the index file.

#include "base/errors.h"
#include "library_fixture.h"

namespace spindrel::testing {
namespace {

TEST_F(LibraryTest, EachSkinFileThatFailsStopsTheSetUpWithItsOwnText) {
    struct Case {
        const char* missing;
        const char* text;
    };
    const Case cases[] = {
        {"../images/open_dialog.bmp",
         "Error reading bitmap image.\t\rFile: ./images/open_dialog.bmp"},
        {"../images/open_dialog.mask",
         "Error reading bitmap mask.\t\rFile: ./images/open_dialog.mask"},
        {"../images/buttons_load.bmp",
         "Error reading bitmap image.\t\rFile: ./images/buttons_load.bmp"},
        {"../images/buttons_cancel.bmp",
         "Error reading bitmap image.\t\rFile: ./images/buttons_cancel.bmp"},
    };
    for (const Case& c : cases) {
        FakeBitmaps pictures;
        FakeFileSystem folder;
        FakeFileIo io{folder};
        if (std::string(c.missing).ends_with(".mask")) {
            io.put("../images/open_dialog.mask", "\x01\x00");  // shorter than its length field
        } else {
            io.put("../images/open_dialog.mask", std::string(4, '\0'));
            pictures.files[c.missing] = nullptr;
        }
        TfmOpen failing(LibraryPorts{folder, io, pictures, clock, messages, pump, {}});
        failing.FormCreate();
        EXPECT_TRUE(failing.failed()) << c.missing;
        EXPECT_EQ(failing.model.tag, -99);
        EXPECT_EQ(failing.model.pendingError, c.text);
        // Nothing after the failed step was read.
        EXPECT_EQ(pictures.loads.back(), std::string(c.missing).ends_with(".mask")
                                             ? "../images/open_dialog.bmp"
                                             : c.missing);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LibraryTest, TheMaskShapesTheDialogAndTheSetUpSizesTheDescriptionColumn) {
    std::string mask;
    for (std::uint32_t v : {48u, 32u, 1u, 1u, 16u, 0u, 0u, 603u, 339u, 0u, 0u, 603u, 339u}) {
        for (int i = 0; i < 4; ++i)
            mask += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    fileIo.put("../images/open_dialog.mask", mask);
    create();
    EXPECT_EQ(dialog->model.tag, 0);
    EXPECT_EQ(dialog->model.pendingError, "");
    EXPECT_EQ(dialog->model.windowRegion.size(), 48u);
    EXPECT_EQ(dialog->model.column1Width, 460 - 105);
    EXPECT_NE(dialog->model.loadbtn.glyphStrip(), nullptr);
    EXPECT_NE(dialog->model.cancelbtn.glyphStrip(), nullptr);
}

TEST_F(LibraryTest, AnEmptyFolderListsNothingStopsTheTimerAndLoadCancels) {
    showAndList();
    EXPECT_TRUE(dialog->model.rows.empty());
    EXPECT_EQ(dialog->fillState(), FillState::stopped);
    EXPECT_EQ(dialog->model.selected, -1);
    dialog->loadbtnClick();
    EXPECT_EQ(dialog->model.modalResult, ModalResult::cancel);
    EXPECT_EQ(dialog->model.resultName, "");
    dialog->FormClose();
    EXPECT_FALSE(fileIo.has("descriptions.idx"));
}

TEST_F(LibraryTest, TheFirstListingShowsOnlySerialBasedNamesSortedByNameWhileDescriptionsFill) {
    dsm("BBBBBBBB.DSM", "Second film");
    dsm("aaaaaaaa.dsm", "First film");
    dsm("movie.dsm", "A meaningful name");
    dsm("cccccccc.dsm", "");
    files.directories.insert(files.resolve("dddddddd.dsm"));
    showAndList();

    EXPECT_EQ(names(), (std::vector<std::string>{"aaaaaaaa.dsm", "BBBBBBBB.DSM", "cccccccc.dsm"}));
    EXPECT_EQ(column(2),
              (std::vector<std::string>{"aaaaaaaa.dsm", "bbbbbbbb.dsm", "cccccccc.dsm"}));
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(dialog->model.sortfile.caption, "\xEA");
    EXPECT_EQ(dialog->model.sortdesc.caption, " ");
    EXPECT_EQ(dialog->model.based_serial.caption, " X");
    EXPECT_EQ(dialog->model.based_meaningful.caption, "");
    EXPECT_EQ(dialog->model.selected, 0);
    EXPECT_EQ(dialog->fillState(), FillState::filling);
    EXPECT_EQ(dialog->Timer1.interval(), 50);

    // One file per tick.
    const int readsBefore = fileIo.reads;
    clock.advance(50);
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"First film ", "", ""}));
    clock.advance(50);
    clock.advance(50);
    EXPECT_EQ(descriptions(),
              (std::vector<std::string>{"First film ", "Second film ", "<no description>"}));
    EXPECT_EQ(fileIo.reads - readsBefore, 3);
    fillAll();
    EXPECT_EQ(dialog->fillState(), FillState::stopped);
}

TEST_F(LibraryTest, TheOtherListShowsTheMeaningfulNamesAndFillsThemToo) {
    dsm("aaaaaaaa.dsm", "Serial");
    dsm("Movie.dsm", "Meaningful");
    dsm("1a2b3c4.dsm", "Seven digits");
    showAndList();
    fillAll();
    dialog->quicksrchChange("x");
    dialog->based_meaningfulClick();
    EXPECT_EQ(dialog->model.quicksrch.caption, "");
    EXPECT_EQ(names(), (std::vector<std::string>{"1a2b3c4.dsm", "Movie.dsm"}));
    EXPECT_EQ(dialog->model.based_serial.caption, "");
    EXPECT_EQ(dialog->model.based_meaningful.caption, " X");
    fillAll();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"Seven digits ", "Meaningful "}));
    dialog->based_serialClick();
    // The serial list's description is known by now: sorted by description.
    EXPECT_EQ(descriptions(), std::vector<std::string>{"Serial "});
    EXPECT_EQ(dialog->model.sortdesc.caption, "\xEA");
}

TEST_F(LibraryTest, WithEveryNameIndexedTheListOpensSortedByDescriptionAndReadsNoDsm) {
    dsm("aaaaaaaa.dsm", "Zebra");
    dsm("bbbbbbbb.dsm", "apple");
    index("aaaaaaaa.dsm=Zebra \r\nbbbbbbbb.dsm=apple \r\n");
    create();
    const int readsBefore = fileIo.reads;
    showAndList();
    fillAll();
    EXPECT_EQ(names(), (std::vector<std::string>{"bbbbbbbb.dsm", "aaaaaaaa.dsm"}));
    EXPECT_EQ(dialog->model.sortdesc.caption, "\xEA");
    EXPECT_EQ(dialog->model.sortfile.caption, " ");
    EXPECT_EQ(fileIo.reads - readsBefore, 1);  // the index only
    EXPECT_EQ(dialog->fillState(), FillState::stopped);
}

TEST_F(LibraryTest, ADsmSavedAfterTheIndexLosesItsEntryAndIsReadAgain) {
    dsm("aaaaaaaa.dsm", "Old notes");
    dsm("bbbbbbbb.dsm", "Kept");
    index("aaaaaaaa.dsm=Old notes \r\nbbbbbbbb.dsm=Kept \r\ngone.dsm=Gone \r\n");
    dsm("aaaaaaaa.dsm", "New notes");  // written after the index
    showAndList();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"", "Kept "}));
    EXPECT_EQ(dialog->model.sortfile.caption, "\xEA");
    fillAll();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"New notes ", "Kept "}));
    dialog->FormClose();
    EXPECT_EQ(fileIo.at("descriptions.idx"), "bbbbbbbb.dsm=Kept \r\naaaaaaaa.dsm=New notes \r\n");
}

TEST_F(LibraryTest, TheIndexIsWrittenHiddenOnlyOnceEveryRowHasItsDescription) {
    dsm("aaaaaaaa.dsm", "One");
    dsm("bbbbbbbb.dsm", "Two");
    showAndList();
    clock.advance(50);
    dialog->cancelbtnClick();
    dialog->FormClose();
    EXPECT_FALSE(fileIo.has("descriptions.idx"));

    showAndList();
    fillAll();
    dialog->FormClose();
    EXPECT_EQ(fileIo.at("descriptions.idx"), "aaaaaaaa.dsm=One \r\nbbbbbbbb.dsm=Two \r\n");
    EXPECT_EQ(files.hidden.count(files.resolve("descriptions.idx")), 1u);

    // Closed before the first tick: nothing written, the old index stays as it was.
    const int writes = fileIo.writes;
    dsm("cccccccc.dsm", "Three");
    dialog->FormShow(ShowFacts{});
    dialog->FormClose();
    EXPECT_EQ(fileIo.writes, writes);
    EXPECT_EQ(dialog->fillState(), FillState::stopped);
}

TEST_F(LibraryTest, AFailedIndexWriteLeavesTheOldIndexAndSaysNothing) {
    dsm("aaaaaaaa.dsm", "One");
    index("aaaaaaaa.dsm=One \r\n");
    dsm("bbbbbbbb.dsm", "Two");
    fileIo.writeErrors[files.resolve("descriptions.idx")] = 5;
    showAndList();
    fillAll();
    dialog->FormClose();
    EXPECT_EQ(fileIo.at("descriptions.idx"), "aaaaaaaa.dsm=One \r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LibraryTest, AnUnreadableDsmNeitherStopsTheFillingNorStaysInTheIndex) {
    dsm("aaaaaaaa.dsm", "One");
    dsm("bbbbbbbb.dsm", "Two");
    dsm("cccccccc.dsm", "Three");
    fileIo.readErrors[files.resolve("bbbbbbbb.dsm")] = 32;  // held open elsewhere
    showAndList();
    const int readsBefore = fileIo.reads;
    fillAll();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"One ", "<no description>", "Three "}));
    EXPECT_EQ(fileIo.reads - readsBefore, 3);
    EXPECT_TRUE(messages.shown.empty());
    dialog->FormClose();
    EXPECT_EQ(fileIo.at("descriptions.idx"), "aaaaaaaa.dsm=One \r\ncccccccc.dsm=Three \r\n");

    fileIo.readErrors.clear();
    showAndList();
    fillAll();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"One ", "Two ", "Three "}));
}

TEST_F(LibraryTest, AHugeFileIsReadOnlyAsFarAsADescriptionNeeds) {
    fileIo.put("aaaaaaaa.dsm", "#Huge\r\n" + std::string(8 << 20, '1'));
    showAndList();
    fillAll();
    EXPECT_EQ(descriptions(), std::vector<std::string>{"Huge "});
    EXPECT_EQ(fileIo.lastReadLimit, 65536u);
}

TEST_F(LibraryTest, AnErrorInATickIsShownInTheStandardErrorBoxAndTheDialogGoesOn) {
    for (int i = 0; i < 16; ++i)
        dsm("0000" + std::to_string(1000 + i) + ".dsm", "n");
    create();
    dialog->FormShow(ShowFacts{});
    pump.duringPump = [] { throw InOutError("I/O error 21", 21); };
    clock.advance(10);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "I/O error 21");
    EXPECT_EQ(messages.shown[0].caption, "DVD Spindrel");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::error);
    pump.duringPump = nullptr;
    dialog->based_serialClick();
    fillAll();
    EXPECT_EQ(dialog->model.rows.size(), 16u);
}

TEST_F(LibraryTest, AListingLetsMessagesRunOnceAfterFifteenRowsAndIgnoresClicksMeanwhile) {
    for (int i = 0; i < 20; ++i)
        dsm("0000" + std::to_string(1000 + i) + ".dsm", "n");
    dsm("movie.dsm", "m");
    create();
    dialog->FormShow(ShowFacts{});
    int pumpsWithRows = 0;
    pump.duringPump = [&] {
        if (dialog->model.rows.size() == 15) {
            ++pumpsWithRows;
            EXPECT_TRUE(dialog->model.updatesFrozen);
            dialog->based_meaningfulClick();
            dialog->sortdescClick();
        }
    };
    clock.advance(10);
    EXPECT_EQ(pumpsWithRows, 1);
    EXPECT_EQ(dialog->model.rows.size(), 20u);
    EXPECT_FALSE(dialog->model.updatesFrozen);
    EXPECT_EQ(dialog->model.based_serial.caption, " X");
    EXPECT_EQ(dialog->model.column1Width, 460 - 105 - dialog->model.scrollBarWidth);
}

}  // namespace
}  // namespace spindrel::testing
