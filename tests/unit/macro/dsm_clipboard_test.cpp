#include <gtest/gtest.h>

#include "base/errors.h"
#include "macro/dsm_clipboard.h"
#include "support/fake_clipboard.h"
#include "support/fake_file_io.h"
#include "support/fake_platform.h"

namespace spindrel {
namespace {

using testing::FakeClipboard;
using testing::FakeFileIo;
using testing::FakeFileSystem;

class DsmClipboardTest : public ::testing::Test {
  protected:
    FakeFileSystem files;
    FakeFileIo io{files};
    FakeClipboard clipboard;
    DsmModel model;
    DsmDocument document{model, files, io};
    DsmClipboard dsmClipboard{document, clipboard};
    ButtonNames known{{"Enter", "Next", "Title Menu"}};

    void paste(const std::string& text) {
        clipboard.content = text;
        dsmClipboard.paste(known);
    }
};

TEST_F(DsmClipboardTest, CopyOfAnEmptyUnnamedDocumentIsTheHeaderLine) {
    dsmClipboard.copy();
    EXPECT_EQ(clipboard.content, "##DSM Format :\r\n");
}

TEST_F(DsmClipboardTest, CopyWritesNameNotesAndEveryClickAsShown) {
    model.dsm_name.caption = "1a2b3c4d.dsm";
    model.Notes = {"Title", ""};
    model.ClickList = {{"2.5", "Enter"}, {"0.0", "Next"}, {"", "Next"}};
    dsmClipboard.copy();
    EXPECT_EQ(clipboard.content,
              "##DSM Format :1a2b3c4d.dsm\r\n#Title\r\n#\r\n2.5,Enter\r\n0.0,Next\r\n,Next\r\n");
    EXPECT_FALSE(document.modified());
}

TEST_F(DsmClipboardTest, CopyToABusyClipboardIsAnError) {
    clipboard.busy = true;
    EXPECT_THROW(dsmClipboard.copy(), SpindrelError);
}

TEST_F(DsmClipboardTest, CopyThenPasteGivesTheSameDocumentMarkedModified) {
    model.dsm_name.caption = "C:\\dsm\\film.dsm";
    model.Notes = {"Skips the warnings", ""};
    const ClickCondition menu{ConditionKind::menu, 0, 0};
    const ClickCondition title{ConditionKind::title, 2, 0};
    model.ClickList = {{"12.5", "Next", menu}, {"0.0", "Enter", menu}, {"1.0", "Title Menu", title}};
    dsmClipboard.copy();
    EXPECT_EQ(clipboard.content,
              "##DSM Format :C:\\dsm\\film.dsm\r\n#Skips the warnings\r\n#\r\n@when menu\r\n"
              "12.5,Next\r\n@when menu\r\n0.0,Enter\r\n@when title 2\r\n1.0,Title Menu\r\n");
    model = DsmModel();
    dsmClipboard.paste(known);
    EXPECT_EQ(model.dsm_name.caption, "C:\\dsm\\film.dsm");
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"Skips the warnings", ""}));
    EXPECT_EQ(model.ClickList,
              (std::vector<Click>{{"12.5", "Next", menu}, {"1.0", "Title Menu", title}}));
    EXPECT_EQ(model.NoClicks.caption, "2");
    EXPECT_EQ(model.runtime.caption, "13.5s");
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmClipboardTest, AHeaderAloneEmptiesTheDocumentAndMarksIt) {
    model.dsm_name.caption = "old.dsm";
    model.Notes = {"old"};
    model.ClickList = {{"1.0", "Enter"}};
    paste("##DSM Format :\r\n");
    EXPECT_EQ(model.dsm_name.caption, "");
    EXPECT_TRUE(model.Notes.empty());
    EXPECT_TRUE(model.ClickList.empty());
    EXPECT_EQ(model.NoClicks.caption, "0");
    EXPECT_EQ(model.runtime.caption, "0.0s");
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmClipboardTest, TextThatIsNotADsmChangesNothing) {
    model.dsm_name.caption = "old.dsm";
    for (const char* text :
         {"##dsm format :x\r\n1.0,Enter\r\n", "## DSM Format :\r\n", "", "#DSM Format :\r\n"}) {
        paste(text);
        EXPECT_FALSE(dsmClipboard.canPaste()) << text;
    }
    clipboard.content.reset();
    dsmClipboard.paste(known);
    EXPECT_FALSE(dsmClipboard.canPaste());
    EXPECT_EQ(model.dsm_name.caption, "old.dsm");
    EXPECT_FALSE(document.modified());

    clipboard.content = "##DSM Format :";
    EXPECT_TRUE(dsmClipboard.canPaste());
}

TEST_F(DsmClipboardTest, TheNameRunsFromAfterTheColonToTheFirstCr) {
    paste("##DSM Format : spaced.dsm\r\n");
    EXPECT_EQ(model.dsm_name.caption, " spaced.dsm");
    paste("##DSM Format :no-cr.dsm");
    EXPECT_EQ(model.dsm_name.caption, "");
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmClipboardTest, PasteTakesOnlyKnownClicksAboveZero) {
    paste(
        "##DSM Format :x\r\n0.0,Enter\r\n-1,Enter\r\n,Enter\r\nEnter\r\nx,Enter\r\n"
        "2.25,ENTER\r\n 1 ,Next\r\n1.0,Unknown\r\n\r\n#note\r\n1.0,Next");
    EXPECT_EQ(model.ClickList,
              (std::vector<Click>{{"2.3", "ENTER"}, {"1.0", "Next"}, {"1.0", "Next"}}));
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"note"}));
    EXPECT_EQ(model.runtime.caption, "4.3s");  // 2.25 + 1 + 1 as read

    // A condition goes with a click that is not pasted, and reaches no other.
    paste("##DSM Format :x\r\n@when title 3\r\n0.0,Enter\r\n1.0,Next\r\n@when menu\r\n@x\r\n"
          "2.0,Enter\r\n@when menu");
    EXPECT_EQ(model.ClickList, (std::vector<Click>{{"1.0", "Next"},
                                                   {"2.0", "Enter", {ConditionKind::menu, 0, 0}}}));
}

TEST_F(DsmClipboardTest, PasteSkipsTheCharacterAfterEachCr) {
    // LF alone does not end a line; after a CR alone the next line's first character is lost.
    paste("##DSM Format :x\r\n1.0,Enter\n2.0,Next\r\n#A\r#B\r\n#C\rX1.0,Enter\r\n");
    // "#B" lost its "#" and became an unusable click line.
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"A", "C"}));
    ASSERT_EQ(model.ClickList.size(), 1u);
    EXPECT_EQ(model.ClickList[0], (Click{"1.0", "Enter"}));
}

TEST_F(DsmClipboardTest, LinesAreCutAt200Characters) {
    const std::string note(300, 'n');
    paste("##DSM Format :x\r\n#" + note + "\r\n");
    ASSERT_EQ(model.Notes.size(), 1u);
    EXPECT_EQ(model.Notes[0], note.substr(0, 199));  // the "#" is one of the 200
}

TEST_F(DsmClipboardTest, OnlyTheFirst10239CharactersAreReadAndACutLastLineIsLeftOut) {
    known = ButtonNames({"Title", "Title Menu"});
    std::string text = "##DSM Format :x\r\n";
    while (text.size() < 10200)
        text += "#" + std::string(10, 'n') + "\r\n";
    text.resize(10228, 'n');
    text += "\r\n";
    ASSERT_EQ(text.size(), 10230u);
    text += "1.0,Title Menu\r\n";  // the limit cuts it to "1.0,Title", another button
    paste(text);
    EXPECT_TRUE(model.ClickList.empty());
    EXPECT_FALSE(model.Notes.empty());

    paste("##DSM Format :x\r\n1.0,Title");  // whole, the same last line is taken
    EXPECT_EQ(model.ClickList, (std::vector<Click>{{"1.0", "Title"}}));
}

TEST_F(DsmClipboardTest, ALongDocumentIsCopiedWhole) {
    for (int i = 0; i < 2000; ++i)
        model.ClickList.push_back({"1.0", "Next"});
    dsmClipboard.copy();
    ASSERT_TRUE(clipboard.content.has_value());
    EXPECT_EQ(clipboard.content->size(), 16u + 2000u * 10u);
    EXPECT_EQ(clipboard.content->substr(clipboard.content->size() - 10), "1.0,Next\r\n");
}

}  // namespace
}  // namespace spindrel
