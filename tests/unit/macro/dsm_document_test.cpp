#include <gtest/gtest.h>

#include "base/errors.h"
#include "macro/dsm_document.h"
#include "macro/io_error_text.h"
#include "support/fake_file_io.h"
#include "support/fake_platform.h"

namespace spindrel {
namespace {

using testing::FakeFileIo;
using testing::FakeFileSystem;

class DsmDocumentTest : public ::testing::Test {
  protected:
    DsmDocumentTest() { files.current = "C:\\dsm"; }

    FakeFileSystem files;
    FakeFileIo io{files};
    DsmModel model;
    DsmDocument document{model, files, io};
    ButtonNames known{{"Enter", "Next", "Play", "Stop"}};

    void fillSomething() {
        model.dsm_name.caption = "old.dsm";
        model.Notes = {"old"};
        model.ClickList = {{"3.0", "Play"}};
        model.NoClicks.caption = "1";
        model.runtime.caption = "3.0s";
        document.markModified();
    }
};

TEST_F(DsmDocumentTest, StartsEmptyUnnamedAndUnmodified) {
    EXPECT_EQ(model.dsm_name.caption, "");
    EXPECT_EQ(model.NoClicks.caption, "0");
    EXPECT_EQ(model.runtime.caption, "0.0");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(model.ModLabel.caption, ".");
    EXPECT_EQ(model.ModLabel.hint, "This DSM has been modified, click here to save");
}

TEST_F(DsmDocumentTest, LoadOfAMissingFileChangesNothing) {
    fillSomething();
    model.dsm_name.caption = "missing.dsm";
    EXPECT_FALSE(document.load(known));
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"old"}));
    EXPECT_EQ(model.ClickList.size(), 1u);
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(io.reads, 0);
}

TEST_F(DsmDocumentTest, LoadFillsTheDocumentSetsTotalsAndClearsTheMark) {
    fillSomething();
    io.put("1a2b3c4d.dsm", "#Title\r\n2.25,Enter\r\n1.55,play\r\n0,Stop\r\n");
    model.dsm_name.caption = "1a2b3c4d.dsm";
    EXPECT_TRUE(document.load(known));
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"Title"}));
    EXPECT_EQ(model.ClickList,
              (std::vector<Click>{{"2.3", "Enter"}, {"1.6", "play"}, {"0.0", "Stop"}}));
    EXPECT_EQ(model.NoClicks.caption, "3");
    EXPECT_EQ(model.runtime.caption, "3.8s");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(model.dsm_name.caption, "1a2b3c4d.dsm");  // load never renames
}

TEST_F(DsmDocumentTest, AnEmptyFileLoadsAsAnEmptyDocument) {
    fillSomething();
    io.put("empty.dsm", "");
    model.dsm_name.caption = "empty.dsm";
    EXPECT_TRUE(document.load(known));
    EXPECT_TRUE(model.Notes.empty());
    EXPECT_TRUE(model.ClickList.empty());
    EXPECT_EQ(model.NoClicks.caption, "0");
    EXPECT_EQ(model.runtime.caption, "0.0s");
    EXPECT_FALSE(document.modified());
}

TEST_F(DsmDocumentTest, AFileThatCannotBeReadThrowsAndLeavesTheDocument) {
    fillSomething();
    io.put("locked.dsm", "#new\r\n");
    io.readErrors[files.resolve("locked.dsm")] = 32;
    model.dsm_name.caption = "locked.dsm";
    try {
        document.load(known);
        FAIL() << "no error";
    } catch (const InOutError& error) {
        EXPECT_STREQ(error.what(), "I/O error 32");
        EXPECT_EQ(error.code(), 32);
    }
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"old"}));
    EXPECT_TRUE(document.modified());
}

TEST_F(DsmDocumentTest, SaveWritesTheFormatAndClearsTheMark) {
    model.Notes = {"A", "", "B"};
    model.ClickList = {{"12.5", "Next"}, {"0.0", "Enter"}, {"", "Play"}, {"1.0", "Enter"}};
    document.markModified();
    document.save("C:\\dsm\\x.dsm");
    EXPECT_EQ(io.at("C:\\dsm\\x.dsm"), "#A\r\n#\r\n#B\r\n12.5,Next\r\n1.0,Enter\r\n");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(model.ClickList.size(), 4u);  // inert clicks stay in the list

    DsmModel empty;
    DsmDocument emptyDocument(empty, files, io);
    emptyDocument.save("empty.dsm");
    EXPECT_EQ(io.at("empty.dsm"), "");
}

TEST_F(DsmDocumentTest, AFailedSaveLeavesFileDocumentAndMarkAsTheyWere) {
    io.put("ro.dsm", "#before\r\n");
    io.writeErrors[files.resolve("ro.dsm")] = 5;
    model.Notes = {"after"};
    document.markModified();
    try {
        document.save("ro.dsm");
        FAIL() << "no error";
    } catch (const InOutError& error) {
        EXPECT_STREQ(error.what(), "File access denied");
    }
    EXPECT_EQ(io.at("ro.dsm"), "#before\r\n");
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"after"}));
}

TEST_F(DsmDocumentTest, ClearAndRecountSetTheirOwnTotals) {
    model.ClickList = {
        {"2.25", "Enter"}, {"x", "Next"}, {"", "Play"}, {"-1.0", "Stop"}, {"1.0", "Stop"}};
    document.recount();
    EXPECT_EQ(model.NoClicks.caption, "5");
    EXPECT_EQ(model.runtime.caption, "2.3");  // 2.25 - 1 + 1, no unit

    model.Notes = {"n"};
    document.markModified();
    document.clear();
    EXPECT_TRUE(model.Notes.empty());
    EXPECT_TRUE(model.ClickList.empty());
    EXPECT_EQ(model.NoClicks.caption, "0");
    EXPECT_EQ(model.runtime.caption, "0s");
    EXPECT_TRUE(document.modified());  // the mark is New's business, not clear's
}

TEST_F(DsmDocumentTest, SaveThenLoadGivesTheSameDocumentLessItsInertClicks) {
    model.Notes = {"Skips the warnings", ""};
    model.ClickList = {{"0.0", "Enter"}, {"2.5", "Next"}, {"1.0", "ENTER"}};
    document.save("round.dsm");
    model.dsm_name.caption = "round.dsm";
    ASSERT_TRUE(document.load(known));
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"Skips the warnings", ""}));
    EXPECT_EQ(model.ClickList, (std::vector<Click>{{"2.5", "Next"}, {"1.0", "ENTER"}}));
}

TEST(IoErrorTextTest, UsesTheRunTimeLibrarysWords) {
    EXPECT_EQ(ioErrorText(2), "File not found");
    EXPECT_EQ(ioErrorText(5), "File access denied");
    EXPECT_EQ(ioErrorText(112), "Disk full");
    EXPECT_EQ(ioErrorText(32), "I/O error 32");
}

}  // namespace
}  // namespace spindrel
