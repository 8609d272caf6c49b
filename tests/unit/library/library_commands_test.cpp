// What the user does with the listed DSMs: sorting, quick search, load, rename and delete.

#include "library_fixture.h"

namespace spindrel::testing {
namespace {

class LibraryCommandsTest : public LibraryTest {
  protected:
    // Three serial-based DSMs, all described.
    void listThree() {
        dsm("cccccccc.dsm", "Alien");
        dsm("AAAAAAAA.DSM", "matrix");
        dsm("bbbbbbbb.dsm", "Brazil");
        showAndList();
        fillAll();
    }
};

TEST_F(LibraryCommandsTest, SortingFoldsCaseKeepsTheSelectionAndRestartsTheFilling) {
    listThree();
    EXPECT_EQ(names(), (std::vector<std::string>{"AAAAAAAA.DSM", "bbbbbbbb.dsm", "cccccccc.dsm"}));
    dialog->FileListSelect(2);
    dialog->sortdescClick();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"Alien ", "Brazil ", "matrix "}));
    EXPECT_EQ(selectedName(), "cccccccc.dsm");
    EXPECT_EQ(dialog->model.sortdesc.caption, "\xEA");
    EXPECT_EQ(dialog->model.sortfile.caption, " ");
    dialog->sortfileClick();
    EXPECT_EQ(names(), (std::vector<std::string>{"AAAAAAAA.DSM", "bbbbbbbb.dsm", "cccccccc.dsm"}));

    // While descriptions fill, a sort sends the position back to the first row.
    dialog->FormClose();
    dsm("dddddddd.dsm", "Delta");
    showAndList();
    clock.advance(50);
    EXPECT_EQ(dialog->Timer1Tag, 4);
    EXPECT_EQ(dialog->fillState(), FillState::filling);
    dialog->sortdescClick();
    EXPECT_EQ(dialog->Timer1Tag, 0);
    fillAll();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"Alien ", "Brazil ", "Delta ", "matrix "}));
}

TEST_F(LibraryCommandsTest, TypingInANameSortedListAsksFirstAndNoLeavesTheSearchClosed) {
    listThree();
    messages.answer(MsgAnswer::no);
    dialog->FileListKeyPress('m');
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The Quick Search facility is only available\rwhen the DSM list is sorted by "
              "\"Description\"\r\rDo you want to sort the list by Description");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_EQ(messages.beeps, std::vector<BeepKind>{BeepKind::question});
    EXPECT_FALSE(dialog->model.Panel1.visible);
    EXPECT_EQ(dialog->model.quicksrch.caption, "");
    EXPECT_EQ(dialog->model.sortfile.caption, "\xEA");

    messages.answer(MsgAnswer::yes);
    dialog->FileListKeyPress('m');
    EXPECT_EQ(dialog->model.sortdesc.caption, "\xEA");
    EXPECT_TRUE(dialog->model.Panel1.visible);
    EXPECT_EQ(dialog->model.focus, LibraryFocus::quicksrch);
    EXPECT_EQ(dialog->model.quicksrch.caption, "m");
    EXPECT_EQ(selectedName(), "AAAAAAAA.DSM");  // "matrix "

    // Sorted by description now: no more questions.
    dialog->quicksrchDone();
    dialog->FileListKeyPress('B');
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(selectedName(), "bbbbbbbb.dsm");
}

TEST_F(LibraryCommandsTest, QuickSearchSelectsTheFirstDescriptionNotBelowTheText) {
    listThree();
    dialog->sortdescClick();
    dialog->FileListSelect(1);
    dialog->quicksrchChange("AL");
    EXPECT_EQ(selectedName(), "cccccccc.dsm");
    dialog->quicksrchChange("b");
    EXPECT_EQ(selectedName(), "bbbbbbbb.dsm");
    dialog->quicksrchChange("c");  // between "Brazil " and "matrix "
    EXPECT_EQ(selectedName(), "AAAAAAAA.DSM");
    dialog->quicksrchChange("zz");  // beyond every description: the selection stays
    EXPECT_EQ(selectedName(), "AAAAAAAA.DSM");

    // Enter in the box clears it and returns to the grid, where Enter loads.
    dialog->model.Panel1.visible = true;
    dialog->quicksrchDone();
    EXPECT_FALSE(dialog->model.Panel1.visible);
    EXPECT_EQ(dialog->model.focus, LibraryFocus::FileList);
    dialog->FileListKeyPress('\r');
    EXPECT_EQ(dialog->model.modalResult, ModalResult::ok);
    EXPECT_EQ(dialog->model.resultName, "AAAAAAAA.DSM");
}

TEST_F(LibraryCommandsTest, LoadGivesTheNameAsListedAndCancelGivesNothing) {
    listThree();
    dialog->FileListSelect(1);
    dialog->FileListDblClick();
    EXPECT_EQ(dialog->model.modalResult, ModalResult::ok);
    EXPECT_EQ(dialog->model.resultName, "bbbbbbbb.dsm");
    dialog->cancelbtnClick();
    EXPECT_EQ(dialog->model.modalResult, ModalResult::cancel);
    EXPECT_EQ(dialog->model.resultName, "");
}

TEST_F(LibraryCommandsTest, RenameAppendsDsmKeepsTypedCaseAndMovesTheDescription) {
    listThree();
    dialog->FileListSelect(1);
    dialog->Rename1Click(17);
    const Control& field = dialog->model.namefield;
    EXPECT_TRUE(field.visible);
    EXPECT_EQ(field.caption, "bbbbbbbb.dsm");
    EXPECT_EQ(field.top, 58 + 17 - 1);
    EXPECT_EQ(field.left, 20);
    EXPECT_EQ(dialog->model.focus, LibraryFocus::namefield);
    ASSERT_TRUE(dialog->model.movePointerTo);
    EXPECT_EQ(*dialog->model.movePointerTo, (ScreenPoint{20 + 105 - 5, 58 + 16 + 9}));

    dialog->namefieldEnter("movie");
    EXPECT_FALSE(field.visible);
    EXPECT_EQ(dialog->model.focus, LibraryFocus::FileList);
    EXPECT_EQ(selectedName(), "movie.dsm");
    EXPECT_EQ(dialog->model.rows[1].key, "movie.dsm");
    EXPECT_EQ(dialog->model.sortfile.caption, "");
    EXPECT_TRUE(files.fileExists("movie.dsm"));
    EXPECT_FALSE(files.fileExists("bbbbbbbb.dsm"));
    EXPECT_EQ(fileIo.at("movie.dsm"), "#Brazil\r\n");

    dialog->Rename1Click(17);
    dialog->namefieldEnter("Movie.DSM");
    EXPECT_EQ(selectedName(), "Movie.DSM");
    EXPECT_EQ(dialog->model.rows[1].key, "movie.dsm");

    // The same name, letter case counting: nothing happens.
    dialog->Rename1Click(17);
    dialog->namefieldEnter("Movie.DSM");
    EXPECT_TRUE(messages.shown.empty());

    dialog->FormClose();
    EXPECT_EQ(fileIo.at("descriptions.idx"),
              "aaaaaaaa.dsm=matrix \r\ncccccccc.dsm=Alien \r\nmovie.dsm=Brazil \r\n");
}

TEST_F(LibraryCommandsTest, AFailedRenameSaysSoAndChangesNothing) {
    listThree();
    dialog->FileListSelect(0);
    dialog->Rename1Click(0);
    files.moveErrors[files.resolve("AAAAAAAA.DSM")] = 5;
    dialog->namefieldEnter("other");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error renaming File.");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::error);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::ok);
    EXPECT_EQ(selectedName(), "AAAAAAAA.DSM");
    EXPECT_FALSE(dialog->model.namefield.visible);

    // Onto an existing file, and out of the DSM folder.
    dialog->Rename1Click(0);
    dialog->namefieldEnter("bbbbbbbb");
    dialog->Rename1Click(0);
    dialog->namefieldEnter("..\\away");
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text, "Error renaming File.");
    EXPECT_EQ(names(), (std::vector<std::string>{"AAAAAAAA.DSM", "bbbbbbbb.dsm", "cccccccc.dsm"}));

    // Leaving the field renames nothing.
    dialog->Rename1Click(0);
    dialog->namefieldExit();
    EXPECT_FALSE(dialog->model.namefield.visible);
    EXPECT_EQ(selectedName(), "AAAAAAAA.DSM");
}

TEST_F(LibraryCommandsTest, ARenameOntoTheNameOfADeletedDsmDoesNotInheritItsDescription) {
    listThree();
    dialog->FileListSelect(0);  // AAAAAAAA.DSM, "matrix"
    messages.answer(MsgAnswer::yes);
    dialog->Delete1Click();
    dialog->FileListSelect(0);  // bbbbbbbb.dsm, "Brazil"
    dialog->Rename1Click(0);
    dialog->namefieldEnter("aaaaaaaa.dsm");
    dialog->FormClose();
    EXPECT_EQ(fileIo.at("descriptions.idx"), "cccccccc.dsm=Alien \r\naaaaaaaa.dsm=Brazil \r\n");
}

TEST_F(LibraryCommandsTest, DeleteAsksThenRemovesTheFileAndItsRow) {
    listThree();
    dialog->FileListSelect(1);
    messages.answer(MsgAnswer::no);
    dialog->Delete1Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Are you sure that you want to delete this DSM\rbbbbbbbb.dsm");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_EQ(names().size(), 3u);

    files.deleteErrors[files.resolve("bbbbbbbb.dsm")] = 5;
    messages.answer(MsgAnswer::yes);
    dialog->Delete1Click();
    EXPECT_EQ(messages.shown.back().text, "Error deleting File.");
    EXPECT_EQ(messages.shown.back().icon, MsgIcon::error);
    EXPECT_EQ(names().size(), 3u);

    files.deleteErrors.clear();
    messages.answer(MsgAnswer::yes);
    dialog->Delete1Click();
    EXPECT_EQ(names(), (std::vector<std::string>{"AAAAAAAA.DSM", "cccccccc.dsm"}));
    EXPECT_FALSE(files.fileExists("bbbbbbbb.dsm"));
    EXPECT_EQ(selectedName(), "cccccccc.dsm");
}

TEST_F(LibraryCommandsTest, DeletingARowAboveTheFillingPositionSkipsNothing) {
    dsm("aaaaaaaa.dsm", "One");
    dsm("bbbbbbbb.dsm", "Two");
    dsm("cccccccc.dsm", "Three");
    dsm("dddddddd.dsm", "Four");
    showAndList();
    clock.advance(50);
    clock.advance(50);
    EXPECT_EQ(dialog->Timer1Tag, 2);
    dialog->FileListSelect(0);
    messages.answer(MsgAnswer::yes);
    dialog->Delete1Click();
    fillAll();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"Two ", "Three ", "Four "}));
}

}  // namespace
}  // namespace spindrel::testing
