#pragma once
// A player plug-in for tests: real entry points with the contract's signatures, so the program
// binds them through the library port exactly as it binds a DLL's exports. Calls are recorded
// in the one active FakePlugin.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/scripted_player_state.h"

namespace spindrel::testing {

class FakePlugin {
public:
    FakePlugin();
    ~FakePlugin();
    FakePlugin(const FakePlugin&) = delete;
    FakePlugin& operator=(const FakePlugin&) = delete;

    // Registers this plug-in as a library, leaving out the named exports. The optional state
    // export is there only when states are scripted.
    void install(FakeLibraries& libraries, const std::string& fileName,
                 const std::set<std::string>& omit = {});

    std::uint32_t playerWindow = 0;
    std::uint32_t videoWindow = 0;
    bool startResult = true;
    std::string abilities;
    std::function<void()> onWait;  // runs inside Wait_For_Player
    // Wait_For_Player's answers, one per call; 1 once they are used up.
    std::vector<std::int32_t> waitAnswers;
    std::function<void(std::int32_t)> onSend;  // runs inside Send_To_DVD, after the record
    // Fills the caller's buffer instead of copying abilities (a plug-in that misbehaves).
    std::function<void(char*)> fillAbilities;
    ScriptedPlayerState* states = nullptr;
    int stateReads = 0;

    std::vector<std::int32_t> sent;
    std::vector<char> starts;
    int kills = 0;
    int waits = 0;
    int abilityCalls = 0;
};

}  // namespace spindrel::testing
