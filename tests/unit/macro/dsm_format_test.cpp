#include <gtest/gtest.h>

#include "macro/dsm_format.h"
#include "macro/wait_text.h"

namespace spindrel {
namespace {

const ButtonNames kKnown({"Enter", "Next", "Play", "Stop", "Title Menu", "Root Menu"});

std::vector<std::string> waits(const DsmContent& content) {
    std::vector<std::string> out;
    for (const Click& click : content.clicks)
        out.push_back(click.wait);
    return out;
}

TEST(DsmFormatTest, LineEndsAreCrCrLfOrCrAloneAndLfIsPartOfTheLine) {
    const DsmContent content = parseDsmFile("#A\r\n#B\r#C\n#D\r\n\r\n1.0,Enter", kKnown);
    EXPECT_EQ(content.notes, (std::vector<std::string>{"A", "B", "C\n#D"}));
    ASSERT_EQ(content.clicks.size(), 1u);  // the last line needs no line end
    EXPECT_EQ(content.clicks[0], (Click{"1.0", "Enter"}));
}

TEST(DsmFormatTest, ALfOnlyFileIsOneLongLine) {
    const std::string file = "#" + std::string(150, 'a') + "\n" + std::string(150, 'b') + "\n";
    const DsmContent notes = parseDsmFile(file, kKnown);
    ASSERT_EQ(notes.notes.size(), 1u);
    EXPECT_EQ(notes.notes[0], file.substr(1, 200));

    EXPECT_TRUE(parseDsmFile("1.0,Enter\n2.0,Next\n", kKnown).clicks.empty());
}

TEST(DsmFormatTest, CtrlZEndsTheInput) {
    const DsmContent content = parseDsmFile("#A\r\n1.0,Enter\r\n\x1A#B\r\n2.0,Next\r\n", kKnown);
    EXPECT_EQ(content.notes, (std::vector<std::string>{"A"}));
    EXPECT_EQ(content.clicks.size(), 1u);
}

TEST(DsmFormatTest, NotesKeepEmptyLinesAndAreCutAt200Characters) {
    const std::string longLine(250, 'n');
    const DsmContent content = parseDsmFile("#A\r\n#\r\n#B\r\n#" + longLine + "\r\n", kKnown);
    EXPECT_EQ(content.notes, (std::vector<std::string>{"A", "", "B", longLine.substr(0, 200)}));
}

TEST(DsmFormatTest, SkipsLinesItCannotUse) {
    const DsmContent content = parseDsmFile(
        ",Enter\r\nEnter\r\nx,Enter\r\n-1.0,Enter\r\n2.5, Enter\r\n1.0,Root Menu,x\r\n"
        "1.0,Unknown\r\n\t2.5,Enter\r\n",
        kKnown);
    EXPECT_TRUE(content.clicks.empty());
    EXPECT_TRUE(content.notes.empty());
    EXPECT_EQ(content.total, 0.0);
}

TEST(DsmFormatTest, TakesClicksAndKeepsTheirNamesAsWritten) {
    const DsmContent content = parseDsmFile(
        "0,Enter\r\n 2.5 ,Enter\r\n2.5,ENTER\r\n1.0,Title Menu\r\n+1e1,next\r\n", kKnown);
    EXPECT_EQ(waits(content), (std::vector<std::string>{"0.0", "2.5", "2.5", "1.0", "10.0"}));
    EXPECT_EQ(content.clicks[2].button, "ENTER");
    EXPECT_EQ(content.clicks[3].button, "Title Menu");
    EXPECT_EQ(content.clicks[4].button, "next");
    EXPECT_EQ(content.total, 16.0);
}

TEST(DsmFormatTest, TheTotalAddsTheValuesAsReadNotTheRoundedTexts) {
    const DsmContent content = parseDsmFile("2.25,Enter\r\n1.55,Play\r\n1.55,Stop\r\n", kKnown);
    EXPECT_EQ(waits(content), (std::vector<std::string>{"2.3", "1.6", "1.6"}));
    EXPECT_DOUBLE_EQ(content.total, 2.25 + 1.55 + 1.55);
}

TEST(DsmFormatTest, ButtonNamesAreCutAt200CharactersBeforeTheyAreCompared) {
    const std::string name(200, 'B');
    const ButtonNames known({name});
    EXPECT_EQ(parseDsmFile("1.0," + name + "xyz\r\n", known).clicks.size(), 1u);
    EXPECT_EQ(parseDsmFile("1.0," + name.substr(1) + "\r\n", known).clicks.size(), 0u);
}

TEST(DsmFormatTest, ButtonNamesFoldOnlyTheLettersAToZ) {
    const ButtonNames known({"Enter", "\xC4pfel"});
    EXPECT_TRUE(known.contains("eNTER"));
    EXPECT_FALSE(known.contains("Enter "));
    EXPECT_TRUE(known.contains("\xC4PFEL"));
    EXPECT_FALSE(known.contains("\xE4pfel"));  // no folding beyond ASCII
}

TEST(DsmFormatTest, AConditionBelongsToTheClickLineDirectlyAfterIt) {
    const ClickCondition menu{ConditionKind::menu, 0, 0};
    const ClickCondition title2{ConditionKind::title, 2, 0};
    const ClickCondition title2chapter3{ConditionKind::title, 2, 3};
    struct Row {
        const char* file;
        std::vector<Click> clicks;
    };
    const Row rows[] = {
        {"@when menu\r\n1.0,Enter\r\n2.0,Next\r\n", {{"1.0", "Enter", menu}, {"2.0", "Next"}}},
        {"@when title 2\r\n1.0,Enter\r\n@when title 2 chapter 3\r\n2.0,Next\r\n",
         {{"1.0", "Enter", title2}, {"2.0", "Next", title2chapter3}}},
        // Unknown "@" lines, malformed conditions included, are skipped and may stand between.
        {"@when menu\r\n@after 3\r\n@when Menu\r\n@when title 0\r\n@when title 2 \r\n"
         "@when title 100\r\n@when title 02\r\n@when title 2 chapter\r\n1.0,Enter\r\n",
         {{"1.0", "Enter", menu}}},
        // The last of two conditions counts; a condition whose next line is no taken click goes.
        {"@when menu\r\n@when title 2\r\n1.0,Enter\r\n", {{"1.0", "Enter", title2}}},
        {"@when menu\r\n#note\r\n1.0,Enter\r\n", {{"1.0", "Enter"}}},
        {"@when menu\r\n\r\n1.0,Enter\r\n", {{"1.0", "Enter"}}},
        {"@when menu\r\n1.0,Unknown\r\n1.0,Enter\r\n", {{"1.0", "Enter"}}},
        {"1.0,Enter\r\n@when menu\r\n", {{"1.0", "Enter"}}},
        {"@when menu,Enter\r\n1.0,Enter\r\n", {{"1.0", "Enter"}}},
    };
    for (const Row& row : rows) {
        const DsmContent content = parseDsmFile(row.file, kKnown);
        EXPECT_EQ(content.clicks, row.clicks) << row.file;
        EXPECT_TRUE(content.notes.size() <= 1) << row.file;
    }
}

TEST(DsmFormatTest, WritesNotesThenActiveClicksWithCrLf) {
    const std::vector<std::string> notes{"A", "", "B"};
    const std::vector<Click> clicks{{"2.25", "Enter"}, {"0.0", "Next"},  {"", "Play"},
                                    {"x", "Stop"},     {"-1.0", "Stop"}, {"12.5", "Title Menu"}};
    EXPECT_EQ(writeDsmFile(notes, clicks), "#A\r\n#\r\n#B\r\n2.3,Enter\r\n12.5,Title Menu\r\n");
    EXPECT_EQ(writeDsmFile({}, {}), "");

    // Each condition directly before its click; an inert click's goes with it.
    const ClickCondition menu{ConditionKind::menu, 0, 0};
    const std::vector<Click> waiting{{"1.0", "Enter", menu},
                                     {"0.0", "Next", menu},
                                     {"2.0", "Next", {ConditionKind::title, 2, 3}},
                                     {"3.0", "Play"}};
    EXPECT_EQ(writeDsmFile(notes, waiting),
              "#A\r\n#\r\n#B\r\n@when menu\r\n1.0,Enter\r\n@when title 2 chapter 3\r\n"
              "2.0,Next\r\n3.0,Play\r\n");
}

TEST(DsmFormatTest, WhatIsWrittenReadsBackTheSame) {
    const std::vector<std::string> notes{"Skips the warnings", "", "Region 2"};
    const std::vector<Click> clicks{{"12.5", "Next", {ConditionKind::menu, 0, 0}},
                                    {"1.0", "Enter"},
                                    {"0.1", "Title Menu", {ConditionKind::title, 99, 999}}};
    const std::string file = writeDsmFile(notes, clicks);
    const DsmContent content = parseDsmFile(file, kKnown);
    EXPECT_EQ(content.notes, notes);
    EXPECT_EQ(content.clicks, clicks);

    // A reader that knows no conditions, the format's first rules spelled out here, so that a
    // reader taught to find a condition elsewhere than on a line of its own cannot hide that it
    // costs every older reader the press. It must find every note and every press at its blind
    // time, as in the same DSM written without its conditions.
    DsmContent older;
    forEachDsmLine(file, [&](std::string_view line) {
        if (line.empty())
            return;
        if (line.front() == '#') {
            older.notes.emplace_back(line.substr(1, kDsmFieldLimit));
            return;
        }
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || comma == 0)
            return;
        const std::optional<double> wait = parseWait(line.substr(0, comma));
        const std::string_view button = line.substr(comma + 1, kDsmFieldLimit);
        if (!wait || *wait < 0 || !kKnown.contains(button))
            return;
        older.clicks.push_back({formatWait(*wait), std::string(button)});
        older.total += *wait;
    });
    std::vector<Click> blind = clicks;
    for (Click& click : blind)
        click.when = {};
    const DsmContent unconditioned = parseDsmFile(writeDsmFile(notes, blind), kKnown);
    EXPECT_EQ(older.notes, unconditioned.notes);
    EXPECT_EQ(older.clicks, unconditioned.clicks);
    EXPECT_EQ(older.total, unconditioned.total);
}

}  // namespace
}  // namespace spindrel
