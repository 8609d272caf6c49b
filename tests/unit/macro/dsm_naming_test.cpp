#include <gtest/gtest.h>

#include "base/errors.h"
#include "macro/dsm_naming.h"
#include "support/fake_dialogs.h"
#include "support/fake_drives.h"
#include "support/fake_file_io.h"
#include "support/fake_platform.h"
#include "support/scripted_message_boxes.h"

namespace spindrel {
namespace {

using namespace spindrel::testing;

const char* const kUnsavedText =
    "You have made changes to the current\rDVD Startup Macro... without saving!\r\r"
    "Would you like to save your changes?";

std::string makeNameText(const std::string& name) {
    return "This file already exists, if you choose to \"Save\",\t\ryou will over-ride the data in "
           "the existing file.\r\rFilename : " +
           name +
           "\r\rDo you wish to load this Macro instead ?\r\rpress...\tYes\t(load existing "
           "macro)\r        \tNo\t(apply new filename)\r        \tCancel\t(pretend I never "
           "asked)";
}

class DsmNamingTest : public ::testing::Test {
  protected:
    DsmNamingTest() {
        files.current = "C:\\dsm";
        files.directories.insert("C:\\dsm");
        naming.saveDialogInitialDir = "C:\\dsm";
    }

    void insertDisc() { drives.addDvd('D', "MY_MOVIE", 0x1A2B3C4D, 0xF5); }

    void modifiedDocument(const std::string& name) {
        model.dsm_name.caption = name;
        model.Notes = {"mine"};
        model.ClickList = {{"1.0", "Enter"}};
        document.markModified();
    }

    FakeFileSystem files;
    FakeFileIo io{files};
    FakeDrives drives;
    FakeMessagePump pump;
    ScriptedMessageBoxes boxes;
    FakeSaveDialog saveDialog;
    FakeLibraryDialogs libraries;
    DsmModel model;
    DsmDocument document{model, files, io};
    DiscModel discModel;
    DiscScanner disc{discModel, drives, pump};
    int infoPanelShown = 0;
    int pointerRefreshed = 0;
    DsmNaming naming{document,
                     disc,
                     files,
                     boxes,
                     pump,
                     saveDialog,
                     libraries,
                     {[] {
                          return std::vector<std::string>{"Enter", "Next"};
                      },
                      [this] { ++infoPanelShown; }, [this] { ++pointerRefreshed; },
                      [] { return std::string("DVD Spindrel"); }}};
};

TEST_F(DsmNamingTest, DefaultNameIsTheIdentityInLowerCaseWithoutItsColon) {
    EXPECT_EQ(defaultDsmName("1A2B:3C4D"), "1a2b3c4d.dsm");
    EXPECT_EQ(defaultDsmName("0000:ABCD"), "0000abcd.dsm");
    EXPECT_EQ(defaultDsmName(""), "");
}

TEST_F(DsmNamingTest, AnUnmodifiedDocumentGoesWithoutAQuestion) {
    EXPECT_TRUE(naming.askAboutUnsavedChanges());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DsmNamingTest, NewAsksAndCancelKeepsTheDocument) {
    modifiedDocument("a.dsm");
    boxes.answer(MsgAnswer::cancel);
    naming.newbtnClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kUnsavedText);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::yesNoCancel);
    EXPECT_EQ(boxes.shown[0].caption, "DVD Spindrel");
    EXPECT_EQ(model.dsm_name.caption, "a.dsm");
    EXPECT_EQ(model.Notes.size(), 1u);
    EXPECT_TRUE(document.modified());
    EXPECT_TRUE(drives.queried.empty());  // no scan either
}

TEST_F(DsmNamingTest, NewWithNoEmptiesScansAndUnnames) {
    insertDisc();
    modifiedDocument("a.dsm");
    boxes.answer(MsgAnswer::no);
    naming.newbtnClick();
    EXPECT_EQ(model.dsm_name.caption, "");
    EXPECT_TRUE(model.Notes.empty());
    EXPECT_TRUE(model.ClickList.empty());
    EXPECT_EQ(model.runtime.caption, "0s");
    EXPECT_EQ(model.NoClicks.caption, "0");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(discModel.DVD_Serial.caption, "1A2B:3C4D");
    EXPECT_FALSE(io.has("a.dsm"));
}

TEST_F(DsmNamingTest, NewWithYesOnAnUnnamedDocumentAndACancelledSaveDialogKeepsIt) {
    modifiedDocument("");
    boxes.answer(MsgAnswer::yes);
    naming.newbtnClick();
    EXPECT_EQ(saveDialog.runs.size(), 1u);
    EXPECT_EQ(model.Notes.size(), 1u);
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(io.writes, 0);
}

TEST_F(DsmNamingTest, YesSavesUnderTheChosenNameAndGoesOn) {
    modifiedDocument("");
    saveDialog.answer = "C:\\dsm\\chosen.dsm";
    boxes.answer(MsgAnswer::yes);
    EXPECT_TRUE(naming.askAboutUnsavedChanges());
    EXPECT_EQ(io.at("C:\\dsm\\chosen.dsm"), "#mine\r\n1.0,Enter\r\n");
    EXPECT_EQ(model.dsm_name.caption, "C:\\dsm\\chosen.dsm");
    EXPECT_FALSE(document.modified());
}

TEST_F(DsmNamingTest, AFailedSaveAfterYesStopsNewWithTheError) {
    modifiedDocument("ro.dsm");
    io.writeErrors[files.resolve("ro.dsm")] = 5;
    boxes.answer(MsgAnswer::yes);
    EXPECT_THROW(naming.newbtnClick(), InOutError);
    EXPECT_EQ(model.Notes.size(), 1u);
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmNamingTest, SaveOfANamedDocumentNeverShowsTheDialog) {
    modifiedDocument("D:\\elsewhere\\x.dsm");
    naming.savebtnClick();
    EXPECT_TRUE(saveDialog.runs.empty());
    EXPECT_TRUE(io.has("D:\\elsewhere\\x.dsm"));
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(pointerRefreshed, 1);
    EXPECT_GE(pump.pumps, 1);
}

TEST_F(DsmNamingTest, SaveOfAnUnnamedDocumentAsksWithTheDsmDialog) {
    modifiedDocument("");
    naming.savebtnClick();  // cancelled
    ASSERT_EQ(saveDialog.runs.size(), 1u);
    const SaveDialogOptions& options = saveDialog.runs[0];
    EXPECT_EQ(options.title, "Please enter the name of the D.S.M.");
    EXPECT_EQ(options.filter, "DVD Startup Macro|*.dsm");
    EXPECT_EQ(options.defaultExtension, "dsm");
    EXPECT_EQ(options.initialFolder, "C:\\dsm");
    EXPECT_TRUE(options.overwritePrompt && options.hideReadOnly && options.noChangeDirectory &&
                options.pathMustExist && options.noNetworkButton);
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(pointerRefreshed, 0);
}

TEST_F(DsmNamingTest, OpenLoadsTheChosenDsmAndShowsTheInfoPanel) {
    io.put("film.dsm", "#Film\r\n2.0,Next\r\n");
    libraries.script.push_back({"", std::string("film.dsm")});
    naming.openbtnClick();
    EXPECT_EQ(model.dsm_name.caption, "film.dsm");
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"Film"}));
    EXPECT_EQ(infoPanelShown, 1);

    libraries.script.push_back({"", std::nullopt});  // Cancel: nothing changes
    naming.openbtnClick();
    EXPECT_EQ(model.dsm_name.caption, "film.dsm");
    EXPECT_EQ(libraries.created, 1);  // the dialog is kept between opens
    EXPECT_EQ(infoPanelShown, 1);
}

TEST_F(DsmNamingTest, OpenOfAVanishedFileRenamesButShowsNoPanel) {
    libraries.script.push_back({"", std::string("gone.dsm")});
    naming.openbtnClick();
    EXPECT_EQ(model.dsm_name.caption, "gone.dsm");
    EXPECT_EQ(infoPanelShown, 0);
}

TEST_F(DsmNamingTest, AnUnreadableDsmLeavesTheDocumentUnderItsOwnName) {
    io.put("film.dsm", "#Film\r\n2.0,Next\r\n");
    io.put("mine.dsm", "#Mine\r\n");
    io.readErrors[files.resolve("film.dsm")] = 5;
    modifiedDocument("mine.dsm");
    document.clearModified();

    libraries.script.push_back({"", std::string("film.dsm")});
    EXPECT_THROW(naming.openbtnClick(), InOutError);
    EXPECT_EQ(model.dsm_name.caption, "mine.dsm");
    insertDisc();
    io.put("1a2b3c4d.dsm", "#Disc\r\n");
    io.readErrors[files.resolve("1a2b3c4d.dsm")] = 5;
    EXPECT_THROW(naming.selectDiscDsm(), InOutError);
    EXPECT_EQ(model.dsm_name.caption, "mine.dsm");

    naming.savebtnClick();  // only ever over the document's own file
    EXPECT_EQ(io.at("film.dsm"), "#Film\r\n2.0,Next\r\n");
    EXPECT_EQ(io.at("1a2b3c4d.dsm"), "#Disc\r\n");
    EXPECT_EQ(io.at("mine.dsm").rfind("#mine\r\n", 0), 0u);
}

TEST_F(DsmNamingTest, ADialogThatCannotSetItselfUpIsReportedAndMadeAgainNextTime) {
    const std::string error = "Error reading bitmap image.\t\rFile: ./images/open_dialog.bmp";
    libraries.script.push_back({error, std::nullopt});
    naming.openbtnClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, error);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::ok);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::error);
    EXPECT_EQ(libraries.destroyed, 1);
    EXPECT_EQ(libraries.shown, 0);

    libraries.script.push_back({"", std::nullopt});
    naming.openbtnClick();
    EXPECT_EQ(libraries.created, 2);
    EXPECT_EQ(libraries.shown, 1);
}

TEST_F(DsmNamingTest, OpenAsksFirstAndCancelShowsNoDialog) {
    modifiedDocument("a.dsm");
    boxes.answer(MsgAnswer::cancel);
    naming.openbtnClick();
    EXPECT_EQ(libraries.created, 0);
}

TEST_F(DsmNamingTest, MakeNameWithoutADiscDoesNothing) {
    model.dsm_name.caption = "a.dsm";
    naming.makenamebtnClick();
    EXPECT_EQ(model.dsm_name.caption, "a.dsm");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(discModel.DVD_Title.caption, "No DVD present");  // it did scan
}

TEST_F(DsmNamingTest, MakeNameComparesTheNameWithLetterCase) {
    insertDisc();
    io.put("1a2b3c4d.dsm", "#on disk\r\n");
    modifiedDocument("1a2b3c4d.dsm");
    naming.makenamebtnClick();
    EXPECT_TRUE(boxes.shown.empty());

    model.dsm_name.caption = "1A2B3C4D.DSM";
    boxes.answer(MsgAnswer::no);
    naming.makenamebtnClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, makeNameText("1a2b3c4d.dsm"));
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");
}

TEST_F(DsmNamingTest, MakeNameWithNoRenamesWithoutLoadingOrWriting) {
    insertDisc();
    io.put("1a2b3c4d.dsm", "#on disk\r\n");
    modifiedDocument("mine.dsm");
    boxes.answer(MsgAnswer::no);
    naming.makenamebtnClick();
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"mine"}));
    EXPECT_EQ(io.at("1a2b3c4d.dsm"), "#on disk\r\n");
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmNamingTest, MakeNameWithYesLoadsOverAModifiedDocumentWithoutAsking) {
    insertDisc();
    io.put("1a2b3c4d.dsm", "#on disk\r\n");
    modifiedDocument("mine.dsm");
    boxes.answer(MsgAnswer::yes);
    naming.makenamebtnClick();
    EXPECT_EQ(boxes.shown.size(), 1u);  // only the make-name question
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"on disk"}));
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(infoPanelShown, 1);
}

TEST_F(DsmNamingTest, MakeNameWithCancelChangesNothing) {
    insertDisc();
    io.put("1a2b3c4d.dsm", "#on disk\r\n");
    modifiedDocument("mine.dsm");
    boxes.answer(MsgAnswer::cancel);
    naming.makenamebtnClick();
    EXPECT_EQ(model.dsm_name.caption, "mine.dsm");
}

TEST_F(DsmNamingTest, MakeNameWithoutAFileJustRenames) {
    insertDisc();
    naming.makenamebtnClick();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");
}

TEST_F(DsmNamingTest, ClearNameEmptiesTheName) {
    model.dsm_name.caption = "x.dsm";
    naming.clearnamebtnClick();
    EXPECT_EQ(model.dsm_name.caption, "");
}

TEST_F(DsmNamingTest, SelectDiscDsmLoadsTheDiscsFile) {
    insertDisc();
    io.put("1a2b3c4d.dsm", "2.0,Next\r\n");
    model.dsm_name.caption = "other.dsm";
    EXPECT_TRUE(naming.selectDiscDsm());
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_EQ(model.ClickList.size(), 1u);
}

TEST_F(DsmNamingTest, SelectDiscDsmWithoutAFileNamesOnlyAnUnnamedDocument) {
    insertDisc();
    model.dsm_name.caption = "kept.dsm";
    EXPECT_FALSE(naming.selectDiscDsm());
    EXPECT_EQ(model.dsm_name.caption, "kept.dsm");

    model.dsm_name.caption = "";
    EXPECT_FALSE(naming.selectDiscDsm());
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_EQ(io.reads, 0);
}

TEST_F(DsmNamingTest, SelectDiscDsmWithoutADiscLeavesTheName) {
    EXPECT_FALSE(naming.selectDiscDsm());
    EXPECT_EQ(model.dsm_name.caption, "");
}

TEST_F(DsmNamingTest, PrepareNewDsmNamesItAndStartsTheNotes) {
    insertDisc();
    disc.scan();
    naming.prepareDiscNewDsm();
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_EQ(model.Notes,
              (std::vector<std::string>{"<dvd title>", "<region>", "<what this macro will do>"}));
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmNamingTest, PrepareNewDsmLeavesANamedDocumentOrOneWithoutDisc) {
    naming.prepareDiscNewDsm();  // no disc identity
    EXPECT_TRUE(model.Notes.empty());

    insertDisc();
    disc.scan();
    model.dsm_name.caption = "named.dsm";
    naming.prepareDiscNewDsm();
    EXPECT_TRUE(model.Notes.empty());
    EXPECT_FALSE(document.modified());
}

TEST_F(DsmNamingTest, PrepareNewDsmAppendsTheNotesWhateverMakeNameWasAnswered) {
    insertDisc();
    disc.scan();
    io.put("1a2b3c4d.dsm", "#on disk\r\n");
    boxes.answer(MsgAnswer::cancel);
    naming.prepareDiscNewDsm();
    EXPECT_EQ(model.dsm_name.caption, "");
    EXPECT_EQ(model.Notes.size(), 3u);
}

TEST(FilePanelTest, ButtonsCarryTheirTagsHintsAndOneLineTexts) {
    FilePanelModel panel;
    EXPECT_EQ(panel.newbtn.tag, 1);
    EXPECT_EQ(panel.openbtn.tag, 2);
    EXPECT_EQ(panel.savebtn.tag, 3);
    EXPECT_EQ(panel.makenamebtn.tag, 4);
    EXPECT_EQ(panel.clearnamebtn.tag, 5);
    EXPECT_EQ(panel.savebtn.hint,
              "SAVE :-" + std::string(51, ' ') +
                  "[ Control - S ]\r\nThis will save the current DSM   (DVD Startup "
                  "Macro)\r\nunder the name displayed below. If no name is shown\r\nthen you will "
                  "be asked for one.");
    EXPECT_EQ(panel.newbtn.hint,
              "NEW :-\r\nThis will clear out the current Macro,\r\nand let you create a brand new "
              "one.");

    panel.mouseMoveOver(panel.makenamebtn.tag);
    EXPECT_EQ(panel.filesys_hint.caption, "Supplies the default DSM Name for this DVD");
    panel.mouseMoveOver(panel.clearnamebtn.tag);
    EXPECT_EQ(panel.filesys_hint.caption, "Clears the current filename, implies SaveAs");
    panel.mouseMoveOver(0);
    EXPECT_EQ(panel.filesys_hint.caption, "");
    panel.mouseMoveOver(6);
    EXPECT_EQ(panel.filesys_hint.caption, "");
}

}  // namespace
}  // namespace spindrel
