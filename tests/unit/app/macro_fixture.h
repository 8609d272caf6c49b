#pragma once
// A main window with a bound plug-in, its button menu built, and every timer but the ones under
// test stopped, so the virtual clock runs only the macro player or the recorder.

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/tmain.h"
#include "support/test_ports.h"

namespace spindrel::testing {

inline constexpr const char* kAbilities =
    "Play(10,10,5,0)Stop(40,10,6,0)-(0,0,0,0)Root Menu(7,77,21,1)Ok / Enter(231,31,13,0)";

class MacroFixture : public ::testing::Test {
  protected:
    // reportsState: the plug-in has the state export, reading states.
    explicit MacroFixture(bool reportsState = false) {
        t.files.directories.insert(TestPorts::kProgramFolder);
        if (reportsState)
            plugin.states = &states;
        plugin.abilities = kAbilities;
        plugin.playerWindow = 700;
        plugin.videoWindow = 701;
        plugin.install(t.libraries, "Wyvernel.dll");
        tmain = std::make_unique<Tmain>(t.ports());
        tmain->create(1, 2);
        quiet();
        EXPECT_TRUE(tmain->BuildRemotePanel());
        plugin.onSend = [this](std::int32_t code) { presses.push_back({code, t.clock.nowMs()}); };
        t.windows.shows.clear();
        t.pump.pumps = 0;
    }

    void quiet() {
        tmain->Timer1.setEnabled(false);
        tmain->PCDVD_Timer.setEnabled(false);
        tmain->Slider.setEnabled(false);
        tmain->moveState = 0;
    }

    // Runs the click timer's ticks to the end of the run, and nothing after it (the controller
    // clears the run's message three seconds later).
    void finishRun() {
        while (t.clock.isArmed(tmain->ClickTimer))
            t.clock.runNext();
    }

    void setClicks(std::vector<Click> clicks) { tmain->model.dsm.ClickList = std::move(clicks); }
    const std::vector<Click>& clicks() { return tmain->model.dsm.ClickList; }
    // The remote button of a menu item.
    int remoteIndexOf(int menuIndex) {
        const auto& buttons = tmain->model.remoteButtons;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i].tag == menuIndex)
                return static_cast<int>(i);
        }
        ADD_FAILURE() << "no remote button for menu item " << menuIndex;
        return -1;
    }

    TestPorts t;
    ScriptedPlayerState states{t.clock};
    FakePlugin plugin;
    std::unique_ptr<Tmain> tmain;
    std::vector<std::pair<std::int32_t, double>> presses;  // code, virtual time
};

}  // namespace spindrel::testing
