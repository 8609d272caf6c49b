#include "library/description_index.h"

#include <gtest/gtest.h>

#include <map>

namespace spindrel {
namespace {

class DescriptionIndexTest : public ::testing::Test {
  protected:
    DescriptionIndex::FileTimes times() {
        return [this](const std::string& name) -> std::optional<FileTime> {
            asked.push_back(name);
            const auto found = files.find(name);
            if (found == files.end())
                return std::nullopt;
            return found->second;
        };
    }
    std::map<std::string, FileTime> files;
    std::vector<std::string> asked;
    DescriptionIndex index;
};

TEST_F(DescriptionIndexTest, EntriesAreTrustedOnlyForFilesNoNewerThanTheIndex) {
    files = {{"old.dsm", 100}, {"same.dsm", 500}, {"newer.dsm", 501}};
    index.read("old.dsm=Old \r\nsame.dsm=Same \r\nnewer.dsm=Newer \r\ngone.dsm=Gone \r\n", 500,
               times());
    EXPECT_EQ(index.lines(), (std::vector<std::string>{"old.dsm=Old ", "same.dsm=Same "}));
    EXPECT_EQ(asked, (std::vector<std::string>{"old.dsm", "same.dsm", "newer.dsm", "gone.dsm"}));
    EXPECT_FALSE(index.find("newer.dsm"));
    EXPECT_FALSE(index.find("gone.dsm"));
}

TEST_F(DescriptionIndexTest, LinesAreSplitAtTheFirstEqualsAndKeptWhole) {
    files = {{"a.dsm", 1}, {"b.dsm", 1}, {"c.dsm", 1}};
    index.read("no equals here\r\n\r\na.dsm=x = y \r\nb.dsm=\rc.dsm=  two  \r\n", 10, times());
    EXPECT_EQ(index.lines(), (std::vector<std::string>{"a.dsm=x = y ", "b.dsm=", "c.dsm=  two  "}));
    EXPECT_EQ(index.find("a.dsm").value(), "x = y ");
    EXPECT_EQ(index.find("b.dsm").value(), "");
    EXPECT_EQ(index.find("c.dsm").value(), "  two  ");
    EXPECT_EQ(index.bytes(), "a.dsm=x = y \r\nb.dsm=\r\nc.dsm=  two  \r\n");
}

TEST_F(DescriptionIndexTest, ReadingStopsAtCtrlZAndStartsFromEmpty) {
    files = {{"a.dsm", 1}, {"b.dsm", 1}};
    index.put("stale.dsm", "Stale ");
    index.read(
        "a.dsm=A \r\n\x1A"
        "b.dsm=B \r\n",
        10, times());
    EXPECT_EQ(index.lines(), std::vector<std::string>{"a.dsm=A "});
}

TEST_F(DescriptionIndexTest, LookUpIgnoresCaseAndTakesTheFirstEntry) {
    files = {{"movie.dsm", 1}, {"MOVIE.DSM", 1}};
    index.read("movie.dsm=First \r\nMOVIE.DSM=Second \r\n", 10, times());
    EXPECT_EQ(index.find("Movie.Dsm").value(), "First ");

    index.put("MOVIE.dsm", "Replaced ");
    EXPECT_EQ(index.lines(),
              (std::vector<std::string>{"movie.dsm=Replaced ", "MOVIE.DSM=Second "}));
    index.put("new.dsm", "New ");
    EXPECT_EQ(index.lines().back(), "new.dsm=New ");

    index.remove("movie.dsm");
    EXPECT_EQ(index.find("movie.dsm").value(), "Second ");
    EXPECT_EQ(index.size(), 2u);
    EXPECT_EQ(index.bytes(), "MOVIE.DSM=Second \r\nnew.dsm=New \r\n");
}

}  // namespace
}  // namespace spindrel
