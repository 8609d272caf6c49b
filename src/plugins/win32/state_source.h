#pragma once
// Where the optional state export gets the player's state from. The export and the thread that
// keeps reading are the same for every player that reports its state (state_export.cpp); each of
// those players is read its own way, by the source its plug-in defines.

#include <cstdint>
#include <optional>
#include <string_view>

#include "plugins/player_status.h"

namespace spindrel::plugins {

class StateSource {
  public:
    virtual ~StateSource() = default;
    // On the state thread, once, before anything else: what the source needs on that thread.
    virtual void open() {}
    // On the state thread: the player's state now; nothing when the player did not answer in
    // time, so that the last reading stands.
    virtual std::optional<StateReading> read() = 0;
    // The window the player is told to report to (0: it reports to none). Set by open().
    virtual std::uint32_t reportWindow() const { return 0; }
    // Any thread: whether the player reports to this source now, for a player told at its start
    // where to report.
    virtual bool reporting() const { return true; }
    // On the program's thread: what the answer to a press says, for a player whose presses are
    // answered with its status.
    virtual std::optional<StateReading> pressAnswerReading(std::string_view) const {
        return std::nullopt;
    }
};

// Defined by the plug-ins that report their state (vlc/vlc_state.cpp, mpc/mpc_state.cpp).
StateSource& thisStateSource();

// For the seven exports; for a plug-in without the state export they do nothing
// (state_none.cpp). The window of this plug-in's own that the player is to report to, once the
// thread that owns it runs (0: none).
std::uint32_t stateReportWindow();
// The body of a press's answer, handed to the same readings as the thread's own.
void notePressAnswer(std::string_view body);
// Whether the player reports to this plug-in, waiting up to waitMs for it to begin.
bool playerReports(std::uint32_t waitMs);

}  // namespace spindrel::plugins
