#include "library/dsm_names.h"

#include <gtest/gtest.h>

#include "library/dsm_description.h"

namespace spindrel {
namespace {

TEST(DsmNamesTest, EightHexDigitsBeforeTheFirstDsmAreSerialBased) {
    for (const char* name : {"1A2B3C4D.DSM", "1a2b3c4d.dsm", "0000ffff.Dsm", "1a2b3c4d",
                             "1a2b3c4d.dsm.dsm", "1a2b3c4d.dsmx"}) {
        EXPECT_TRUE(isSerialBasedName(name)) << name;
    }
    for (const char* name : {"1a2b3c4.dsm", "1a2b3c4g.dsm", "movie.dsm", "1a2b3c4d5.dsm",
                             " 1a2b3c4d.dsm", "1a2b3c4d .dsm", "1a2b3c4d.txt", ".dsm", ""}) {
        EXPECT_FALSE(isSerialBasedName(name)) << name;
    }
}

TEST(DsmNamesTest, ComparisonFoldsOnlyAsciiLettersAndComparesBytesUnsigned) {
    EXPECT_EQ(compareFolded("Movie", "movie"), 0);
    EXPECT_EQ(compareFolded("apple", "Banana"), -1);
    EXPECT_EQ(compareFolded("Banana", "apple"), 1);
    EXPECT_EQ(compareFolded("ab", "abc"), -1);
    EXPECT_EQ(compareFolded("", ""), 0);
    // Folding "[" (0x5B) would not make it lower than "a"; upper case letters fold below it.
    EXPECT_EQ(compareFolded("[", "A"), -1);
    // Bytes above 0x7F sort after every ASCII character and are not folded.
    EXPECT_EQ(compareFolded("\xC9t\xE9", "zzz"), 1);
    EXPECT_EQ(compareFolded("\xC9", "\xE9"), -1);
}

TEST(DsmNamesTest, RenameAppendsDsmOnlyWhenTheNameHasNone) {
    EXPECT_EQ(renamedDsmName("movie"), "movie.dsm");
    EXPECT_EQ(renamedDsmName("Movie.DSM"), "Movie.DSM");
    EXPECT_EQ(renamedDsmName("my.dsm.backup"), "my.dsm.backup");
    EXPECT_EQ(renamedDsmName("movie.ds"), "movie.ds.dsm");
    EXPECT_EQ(renamedDsmName(""), ".dsm");
    EXPECT_TRUE(leavesTheFolder("..\\movie.dsm"));
    EXPECT_TRUE(leavesTheFolder("c:movie.dsm"));
    EXPECT_TRUE(leavesTheFolder("sub/movie.dsm"));
    EXPECT_FALSE(leavesTheFolder("my movie (2).dsm"));
}

TEST(DsmDescriptionTest, NotesLinesAreTrimmedAndEachEndsInOneSpace) {
    EXPECT_EQ(describeDsm("#Title\r\n#Region 4\r\n12.5,Next\r\n"), "Title Region 4 ");
    // An empty notes line gives a lone space.
    EXPECT_EQ(describeDsm("#A\r\n#\r\n#B\r\n"), "A  B ");
    EXPECT_EQ(describeDsm("#  \t padded\t \r\n#\x01\x02x\x7F\r\n"), "padded x\x7F ");
    EXPECT_EQ(describeDsm("#   \r\n"), " ");
    // Notes lines wherever they are; click lines and empty lines add nothing.
    EXPECT_EQ(describeDsm("1.0,Enter\r\n\r\n#late\r\n"), "late ");
}

TEST(DsmDescriptionTest, AFileWithoutNotesHasNoDescription) {
    EXPECT_EQ(describeDsm(""), "<no description>");
    EXPECT_EQ(describeDsm("1.0,Enter\r\n2.0,Play\r\n"), "<no description>");
    EXPECT_EQ(describeDsm(" #not a note\r\n"), "<no description>");
}

TEST(DsmDescriptionTest, LinesAreReadAsTheDsmReaderReadsThem) {
    // At most 100 characters after the "#", trimmed after cutting.
    const std::string longNote = std::string(99, 'a') + " b" + std::string(50, 'c');
    EXPECT_EQ(describeDsm("#" + longNote), std::string(99, 'a') + " ");
    EXPECT_EQ(describeDsm("#" + std::string(150, 'x')), std::string(100, 'x') + " ");
    // CR alone ends a line, an LF alone is part of one, and 0x1A ends the file.
    EXPECT_EQ(describeDsm("#one\r#two\n#three\r\n"), "one two\n#three ");
    EXPECT_EQ(describeDsm("#kept\r\n\x1A#gone\r\n"), "kept ");
    EXPECT_EQ(describeDsm("\x1A#gone"), "<no description>");
}

}  // namespace
}  // namespace spindrel
