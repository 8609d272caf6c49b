#include <gtest/gtest.h>

#include "unit/app/macro_fixture.h"

namespace spindrel {
namespace {

using testing::MacroFixture;

constexpr int kPageUp = 33;
constexpr int kPageDown = 34;

class ClickListEditorTest : public MacroFixture {
  protected:
    ClickListEditorTest() {
        setClicks({{"1.0", "Play"}, {"2.5", "ROOT MENU"}, {"bad", "Gone"}, {"0.5", "Stop"}});
    }
    void type(const std::string& text) { tmain->editwaitChange(text); }
};

TEST_F(ClickListEditorTest, SelectionShowsTheWaitAndTheMenuSpellingOfTheButton) {
    EXPECT_EQ(tmain->model.buttonlabelCursor, CursorShape::arrow);
    tmain->selectClick(1);
    EXPECT_EQ(tmain->model.editwait.caption, "2.5");
    EXPECT_EQ(tmain->model.buttonlabel.caption, "Root Menu");
    EXPECT_EQ(clicks()[1].button, "ROOT MENU");
    EXPECT_EQ(tmain->model.buttonlabelCursor, CursorShape::hand);
    EXPECT_EQ(tmain->model.editwaitCursor, CursorShape::ibeam);

    tmain->selectClick(2);
    EXPECT_EQ(tmain->model.editwait.caption, "0.0");
    EXPECT_EQ(tmain->model.buttonlabel.caption, "");
    EXPECT_EQ(clicks()[2].wait, "bad");

    tmain->selectClick(-1);
    EXPECT_EQ(tmain->model.editwait.caption, "");
    EXPECT_EQ(tmain->model.editwaitCursor, CursorShape::arrow);
    EXPECT_FALSE(tmain->document.modified());
}

TEST_F(ClickListEditorTest, EveryKeystrokeRewritesTheWaitRoundedToOneDecimal) {
    tmain->selectClick(0);
    tmain->editwaitEnter();
    EXPECT_TRUE(tmain->model.editwaitFocused);
    type("");
    EXPECT_EQ(clicks()[0].wait, "1.0");  // an empty field keeps the wait
    type("1");
    EXPECT_EQ(clicks()[0].wait, "1.0");
    type("12");
    EXPECT_EQ(clicks()[0].wait, "12.0");
    EXPECT_TRUE(tmain->document.modified());
    type("1.25");
    EXPECT_EQ(clicks()[0].wait, "1.3");
    EXPECT_EQ(tmain->model.editwait.caption, "1.25");  // the field keeps what was typed
    type("-0.44");
    EXPECT_EQ(clicks()[0].wait, "-0.4");
    type("ab");
    EXPECT_EQ(clicks()[0].wait, "0.0");
    type("7.75");
    tmain->editwaitExit();
    EXPECT_FALSE(tmain->model.editwaitFocused);
    EXPECT_EQ(tmain->model.editwait.caption, "7.8");

    // A change the program makes (the field without the focus) writes nothing back.
    type("3");
    EXPECT_EQ(clicks()[0].wait, "7.8");
}

TEST_F(ClickListEditorTest, WaitFieldCannotBeUsedWithoutASelection) {
    tmain->editwaitEnter();
    EXPECT_FALSE(tmain->model.editwaitFocused);
    EXPECT_EQ(tmain->model.focus, "ClickList");
    type("5");
    EXPECT_EQ(tmain->model.editwait.caption, "");
    EXPECT_FALSE(tmain->buttonlabelMouseUp());
    EXPECT_FALSE(tmain->document.modified());
}

TEST_F(ClickListEditorTest, PageKeysWalkTheListFromTheWaitField) {
    std::vector<Click> many;
    for (int i = 0; i < 9; ++i)
        many.push_back({std::to_string(i) + ".0", "Play"});
    setClicks(many);
    tmain->selectClick(0);
    tmain->editwaitEnter();
    EXPECT_TRUE(tmain->editwaitKeyUp(kPageUp));
    EXPECT_EQ(tmain->model.clickSelected, 0);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_TRUE(tmain->editwaitKeyUp(kPageDown));
        EXPECT_EQ(tmain->model.clickSelected, i);
        EXPECT_EQ(tmain->model.editwait.caption, std::to_string(i) + ".0");
        EXPECT_TRUE(tmain->model.editwaitFocused);
    }
    EXPECT_EQ(tmain->model.clickTopRow, 3);
    EXPECT_TRUE(tmain->editwaitKeyUp(kPageDown));
    EXPECT_EQ(tmain->model.clickSelected, 8);
    EXPECT_FALSE(tmain->editwaitKeyUp('A'));
    for (int i = 0; i < 6; ++i)
        tmain->editwaitKeyUp(kPageUp);
    EXPECT_EQ(tmain->model.clickSelected, 2);
    EXPECT_EQ(tmain->model.clickTopRow, 2);
    EXPECT_EQ(tmain->model.focus, "editwait");
    EXPECT_FALSE(tmain->document.modified());
}

TEST_F(ClickListEditorTest, AppendInsertAndDelete) {
    tmain->new_appendClick();  // nothing selected: at the end
    ASSERT_EQ(clicks().size(), 5u);
    EXPECT_EQ(clicks()[4], Click{});
    EXPECT_EQ(tmain->model.clickSelected, 4);
    EXPECT_TRUE(tmain->model.editwaitFocused);
    EXPECT_EQ(tmain->model.focus, "editwait");
    EXPECT_TRUE(tmain->document.modified());
    tmain->editwaitExit();

    tmain->selectClick(2);
    tmain->new_insertClick();
    ASSERT_EQ(clicks().size(), 6u);
    EXPECT_EQ(clicks()[2], Click{});
    EXPECT_EQ(clicks()[3].wait, "bad");
    EXPECT_EQ(tmain->model.clickSelected, 2);
    tmain->editwaitExit();

    tmain->selectClick(3);
    tmain->delete_clickClick();
    EXPECT_EQ(clicks().size(), 5u);
    EXPECT_EQ(clicks()[3].button, "Stop");
    EXPECT_EQ(tmain->model.clickSelected, -1);
    EXPECT_EQ(tmain->model.editwait.caption, "");
    tmain->ClickMenuPopup();
    EXPECT_FALSE(tmain->model.clickMenuItem("delete_click").enabled);
    EXPECT_TRUE(tmain->model.clickMenuItem("delete_all").enabled);

    tmain->model.dsm.Notes = {"a note"};
    tmain->document.clearModified();
    tmain->delete_allClick();
    EXPECT_TRUE(clicks().empty());
    EXPECT_EQ(tmain->model.dsm.Notes, std::vector<std::string>{"a note"});
    EXPECT_TRUE(tmain->document.modified());
    tmain->ClickMenuPopup();
    EXPECT_FALSE(tmain->model.clickMenuItem("delete_all").enabled);
    EXPECT_TRUE(tmain->model.clickMenuItem("new_append").enabled);
    EXPECT_TRUE(tmain->model.clickMenuItem("new_insert").enabled);
}

TEST_F(ClickListEditorTest, SelectionDoesNotSurviveTheListBeingReplaced) {
    tmain->selectClick(1);
    // A load or a paste puts another list in place, as long as the old one.
    DsmContent loaded;
    loaded.clicks = {{"1.0", "Play"}, {"2.0", "Stop"}, {"3.0", "Play"}, {"4.0", "Stop"}};
    const std::vector<Click> before = loaded.clicks;
    tmain->document.fill(loaded);
    tmain->delete_clickClick();
    tmain->ButtonSelected(0);
    tmain->editwaitEnter();
    tmain->editwaitChange("4");
    tmain->press_oneClick();
    tmain->continue_macroClick();
    EXPECT_EQ(clicks(), before);
    EXPECT_TRUE(plugin.sent.empty());
    EXPECT_FALSE(tmain->macroPlaying());
    tmain->ClickListChange();
    EXPECT_EQ(tmain->model.clickSelected, -1);
    EXPECT_EQ(tmain->model.editwait.caption, "");

    tmain->selectClick(3);  // a shorter list, by whatever means, leaves no selection either
    tmain->model.dsm.ClickList.resize(2);
    tmain->delete_clickClick();
    EXPECT_EQ(clicks().size(), 2u);
}

TEST_F(ClickListEditorTest, CopyAndPasteCarryTheDsmThroughTheClipboard) {
    tmain->document.setFileName("1a2b3c4d.dsm");
    tmain->ClickMenuPopup();
    EXPECT_FALSE(tmain->model.clickMenuItem("pastedsm").enabled);
    EXPECT_TRUE(tmain->model.clickMenuItem("copydsm").enabled);
    tmain->copydsmClick();
    ASSERT_TRUE(t.clipboard.content.has_value());
    EXPECT_FALSE(tmain->document.modified()) << "a copy changes nothing";
    tmain->ClickMenuPopup();
    EXPECT_TRUE(tmain->model.clickMenuItem("pastedsm").enabled);

    // Back into an emptied document: the inert and unparsable clicks stay out.
    tmain->delete_allClick();
    tmain->document.setFileName("");
    tmain->document.clearModified();
    tmain->pastedsmClick();
    ASSERT_EQ(clicks().size(), 3u);
    EXPECT_EQ(clicks()[1].button, "ROOT MENU");
    EXPECT_EQ(tmain->model.dsm.dsm_name.caption, "1a2b3c4d.dsm");
    EXPECT_TRUE(tmain->document.modified());
    EXPECT_EQ(tmain->model.clickSelected, -1);
    EXPECT_EQ(tmain->model.editwait.caption, "");

    t.clipboard.content = "##dsm format :x.dsm\r\n1.0,Play\r\n";  // not a DSM: the case differs
    tmain->ClickMenuPopup();
    EXPECT_FALSE(tmain->model.clickMenuItem("pastedsm").enabled);
    tmain->pastedsmClick();
    EXPECT_EQ(clicks().size(), 3u);
}

class ClickConditionMenuTest : public MacroFixture {
  protected:
    ClickConditionMenuTest() : MacroFixture(true) {
        setClicks({{"7.0", "Ok / Enter"}, {"1.0", "Play"}});
    }
    const MenuItem& item(const char* name) { return tmain->model.clickMenuItem(name); }
};

TEST_F(ClickConditionMenuTest, TheMenuGivesTheSelectedClickAConditionOrTakesItAway) {
    tmain->ClickMenuPopup();
    EXPECT_FALSE(item("when_menu").enabled);
    EXPECT_FALSE(item("when_none").enabled);
    EXPECT_EQ(item("when_title").caption, "Press when title 1 plays");

    tmain->selectClick(0);
    tmain->ClickMenuPopup();
    EXPECT_TRUE(item("when_menu").enabled);
    EXPECT_TRUE(item("when_none").checked);
    tmain->when_menuClick();
    EXPECT_EQ(clicks()[0].when, (ClickCondition{ConditionKind::menu, 0, 0}));
    EXPECT_TRUE(tmain->document.modified());
    EXPECT_EQ(clickListButtonText(clicks()[0].when, clicks()[0].button), "[menu] Ok / Enter");

    // The title offered is the one the player plays now.
    states.at(0, PlayerDomain::title, 3, 2);
    tmain->selectClick(1);
    tmain->ClickMenuPopup();
    EXPECT_EQ(item("when_title").caption, "Press when title 3 plays");
    EXPECT_FALSE(item("when_title").checked);
    tmain->when_titleClick();
    EXPECT_EQ(clicks()[1].when, (ClickCondition{ConditionKind::title, 3, 0}));
    EXPECT_EQ(clickListButtonText(clicks()[1].when, clicks()[1].button), "[T3] Play");
    tmain->ClickMenuPopup();
    EXPECT_TRUE(item("when_title").checked);

    tmain->selectClick(0);
    tmain->when_noneClick();
    EXPECT_TRUE(clicks()[0].when.empty());
    EXPECT_EQ(clicks()[1].when.kind, ConditionKind::title);
}

}  // namespace
}  // namespace spindrel
