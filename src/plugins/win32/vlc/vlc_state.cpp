// VLC's state, from its web interface's status.json: read by the state thread, and taken from
// each press's own answer, which is the same status after the press.

#include "plugins/engine.h"
#include "plugins/player_status.h"
#include "plugins/win32/engine_ports.h"
#include "plugins/win32/state_source.h"
#include "plugins/win32/this_player.h"

namespace spindrel::plugins {
WebSession webSessionCopy();  // plugin_exports.cpp
}

namespace spindrel::plugins {

namespace {

constexpr std::uint32_t kReadTimeoutMs = 1000;

class VlcStateSource final : public StateSource {
  public:
    // The player's window is not looked for here: finding it reads window titles, which for a
    // window of this process waits for the thread that owns it.
    std::optional<StateReading> read() override {
        Win32EnginePorts ports;
        WebSession session = webSessionCopy();
        PluginEngine engine(thisPlayer(), ports.windows, ports.shell, ports.registry);
        ports.attach(engine, session);
        const WebAnswer answer = engine.webRequest(kVlcStatusJsonPath, kReadTimeoutMs);
        // Only a player that is gone (or refuses the password) takes its state with it; one that
        // is slow to answer is still where it was last seen.
        if (answer.failure == WebFailure::refused ||
            (answer.failure == WebFailure::none && answer.status != 200)) {
            return StateReading{};
        }
        if (answer.failure != WebFailure::none)
            return std::nullopt;
        return vlcStatusReading(answer.body);
    }

    std::optional<StateReading> pressAnswerReading(std::string_view body) const override {
        return vlcStatusReading(body);
    }
};

}  // namespace

StateSource& thisStateSource() {
    static VlcStateSource source;
    return source;
}

}  // namespace spindrel::plugins
