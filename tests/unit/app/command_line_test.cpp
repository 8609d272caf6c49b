#include "app/command_line.h"

#include <gtest/gtest.h>

#include <set>

namespace spindrel {
namespace {

struct Case {
    std::vector<std::string> args;
    int mode;
    std::optional<std::string> name;
    bool test = false;
};

class CommandLineTest : public ::testing::Test {
protected:
    CommandLine parse(const std::vector<std::string>& args) {
        return parseCommandLine(args, [this](const std::string& name) {
            asked.push_back(name);
            return existing.count(name) != 0;
        });
    }
    void expect(const Case& c) {
        const CommandLine result = parse(c.args);
        std::string shown;
        for (const auto& a : c.args) shown += "[" + a + "]";
        EXPECT_EQ(result.mode, c.mode) << shown;
        EXPECT_EQ(result.dsmName, c.name) << shown;
        EXPECT_EQ(result.test, c.test) << shown;
    }

    std::set<std::string> existing{"movie.dsm", "first.dsm"};
    std::vector<std::string> asked;
};

TEST_F(CommandLineTest, OptionsInAnyLetterCase) {
    expect({{}, 2, std::nullopt});
    expect({{"/a"}, 1, std::nullopt});
    expect({{"-A"}, 1, std::nullopt});
    expect({{"/B"}, 8, std::nullopt});
    expect({{"-b"}, 8, std::nullopt});
    expect({{"/E"}, 5, std::nullopt});
    expect({{"-e"}, 5, std::nullopt});
    expect({{"/TeSt"}, 10, std::nullopt, true});
}

TEST_F(CommandLineTest, ThereIsNoDashTestFormItIsAFileName) {
    expect({{"-test"}, 2, "-test.dsm"});
}

TEST_F(CommandLineTest, FileArgumentsAreLowerCasedAndGetDsmAppendedUnlessItOccursAnywhere) {
    expect({{"Missing"}, 2, "missing.dsm"});
    expect({{"MOVIE"}, 6, "movie.dsm"});
    expect({{"Movie.DSM"}, 6, "movie.dsm"});
    expect({{"old.dsm.bak"}, 2, "old.dsm.bak"});
    expect({{"C:\\Macros\\X"}, 2, "c:\\macros\\x.dsm"});
}

TEST_F(CommandLineTest, StoppingOptionsIgnoreEverythingAfterThem) {
    expect({{"/a", "movie"}, 1, std::nullopt});
    expect({{"/b", "/e"}, 8, std::nullopt});
    expect({{"/test", "/a"}, 10, std::nullopt, true});
    EXPECT_TRUE(asked.empty());  // the file argument after a stop is never even looked at
}

TEST_F(CommandLineTest, AnExistingFileFollowedByAStoppingOptionKeepsTheName) {
    expect({{"movie", "/a"}, 1, "movie.dsm"});
    expect({{"movie", "/b"}, 8, "movie.dsm"});
}

TEST_F(CommandLineTest, EditOptionOverridesPlayModeEitherWayRound) {
    expect({{"/e", "movie"}, 5, "movie.dsm"});
    expect({{"movie", "/e"}, 5, "movie.dsm"});
}

TEST_F(CommandLineTest, ModeSixIsDecidedByTheFirstExistingFileButTheLastFileIsTheName) {
    expect({{"first", "missing"}, 6, "missing.dsm"});
    expect({{"missing", "movie"}, 6, "movie.dsm"});
    expect({{"first", "movie"}, 6, "movie.dsm"});
}

TEST(SplitCommandLineTest, SplitsLikeTheRunTimeLibrary) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitCommandLine("prog.exe /a"), (V{"prog.exe", "/a"}));
    EXPECT_EQ(splitCommandLine("  \"C:\\Program Files\\x.exe\"   my movie  "),
              (V{"C:\\Program Files\\x.exe", "my", "movie"}));
    EXPECT_EQ(splitCommandLine("p \"my movie\"x"), (V{"p", "my moviex"}));
    EXPECT_EQ(splitCommandLine("p a\\\\b \\\"q\\\" c\\\\\\\"d"), (V{"p", "a\\\\b", "\"q\"", "c\\\"d"}));
    EXPECT_EQ(splitCommandLine("p \"\""), (V{"p", ""}));
    EXPECT_EQ(splitCommandLine(""), V{});
}

}  // namespace
}  // namespace spindrel
