#include "plugins/player_status.h"

#include <gtest/gtest.h>

namespace spindrel::plugins {
namespace {

using contract::kDomainFirstPlay;
using contract::kDomainMenu;
using contract::kDomainStopped;
using contract::kDomainTitle;

// As VLC 3.0.24 answers, shortened; the Lua tables come out in no fixed order, and the item's
// meta data carries a "title" of its own.
std::string status(const std::string& state, const std::string& information) {
    return R"({"fullscreen":false,"stats":{"title":7},"state":")" + state +
           R"(","length":0,"information":)" + information + R"(,"version":"3.0.24"})";
}

TEST(PlayerStatusTest, VlcStatusGivesDomainTitleAndChapter) {
    struct Row {
        std::string json;
        StateReading reading;
    };
    const std::string meta = R"("category":{"meta":{"title":"DVD \"9\" {x}","chapter":5}})";
    const Row rows[] = {
        {status("playing", R"({"chapter":0,)" + meta + R"(,"title":0,"titles":[0,1,2]})"),
         {true, kDomainFirstPlay, 0, 0}},
        {status("playing", R"({)" + meta + R"(,"title":0,"chapter":2})"),
         {true, kDomainMenu, 0, 0}},
        {status("paused",
                R"({"titles":[0,1,2],"title":2,"chapters":[0,1],"chapter":1,)" + meta + "}"),
         {true, kDomainTitle, 2, 2}},
        // VLC writes its JSON over several lines, indented.
        {status("playing", "{\n    \"title\":1.0 ,\n    \"chapter\":0\n  }\n"),
         {true, kDomainTitle, 1, 1}},
        {R"({"state":"stopped","length":0})", {true, kDomainStopped, 0, 0}},
        // Opening the disc: no item information yet, or not all of it.
        {R"({"state":"playing","length":0})", {}},
        {status("playing", R"({"title":2})"), {}},
        {status("playing", R"({"title":-1,"chapter":0})"), {}},
        {status("playing", R"({"title":"2","chapter":0})"), {}},
        {"", {}},
        {R"({"state":"playing","information":{"title":2,"chapter":)", {}},
        {"<root><state>playing</state></root>", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(vlcStatusReading(row.json), row.reading) << row.json;
}

TEST(PlayerStatusTest, MpcNowPlayingGivesDomainTitleAndChapter) {
    struct Row {
        std::string text;
        StateReading reading;
    };
    const Row rows[] = {
        {"DVD - FirstPlay||||", {true, kDomainFirstPlay, 0, 0}},
        {"DVD - RootMenu||||", {true, kDomainMenu, 0, 0}},
        {"DVD - TitleMenu||||", {true, kDomainMenu, 0, 0}},
        {"DVD - Title|2|4|3|1832", {true, kDomainTitle, 2, 3}},
        {"DVD - Stopped||||", {true, kDomainStopped, 0, 0}},
        // A file, whose title may hold anything, escaped bars among it.
        {"DVD - Title\\|2|4|3|1832|x", {}},
        {"DVD - Title\\|2|4|3|1832", {}},
        {"My film|Me|About it|C:\\film.mkv|5400.000", {}},
        // The location could not be read: no numbers, or none a disc can have.
        {"DVD - Title||||", {}},
        {"DVD - Title|0|4|1|60", {}},
        {"DVD - Title|100|4|1|60", {}},
        {"DVD - Title|2|4|1000|60", {}},
        {"DVD - Title|-2|4|1|60", {}},
        {"DVD - Title|2 |4|1|60", {}},
        {"DVD - RootMenu|||", {}},
        {"", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(mpcNowPlayingReading(row.text), row.reading) << row.text;
}

TEST(PlayerStatusTest, AStateBeginsWhenItIsFirstSeenNotWhenItIsReadAgain) {
    StateTracker tracker;
    EXPECT_EQ(tracker.record(500).known, 0);
    const StateReading menu{true, kDomainMenu, 0, 0};
    tracker.update(menu, 1000);
    tracker.update(menu, 1500);
    contract::PlayerStateRecord record = tracker.record(1800);
    EXPECT_EQ(record.size, sizeof record);
    EXPECT_EQ(record.known, 1);
    EXPECT_EQ(record.domain, kDomainMenu);
    EXPECT_EQ(record.sinceMs, 800u);
    tracker.update({true, kDomainTitle, 2, 1}, 2000);
    record = tracker.record(2050);
    EXPECT_EQ(record.title, 2);
    EXPECT_EQ(record.chapter, 1);
    EXPECT_EQ(record.sinceMs, 50u);
}

}  // namespace
}  // namespace spindrel::plugins
