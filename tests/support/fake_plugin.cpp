#include "support/fake_plugin.h"

#include <cstring>
#include <stdexcept>

#include "plugins/contract.h"

namespace spindrel::testing {

namespace {

FakePlugin* active = nullptr;

FakePlugin& plugin() {
    if (active == nullptr) throw std::logic_error("no FakePlugin is active");
    return *active;
}

contract::WindowHandle SPINDREL_PLUGIN_CALL fakePlayer() { return plugin().playerWindow; }
contract::WindowHandle SPINDREL_PLUGIN_CALL fakeWindow() { return plugin().videoWindow; }
std::int32_t SPINDREL_PLUGIN_CALL fakeSend(std::int32_t code) {
    plugin().sent.push_back(code);
    if (plugin().onSend) plugin().onSend(code);
    return 0;
}
contract::Boolean SPINDREL_PLUGIN_CALL fakeStart(char drive) {
    plugin().starts.push_back(drive);
    return plugin().startResult ? 1 : 0;
}
std::int32_t SPINDREL_PLUGIN_CALL fakeKill() {
    ++plugin().kills;
    return 0;
}
std::int32_t SPINDREL_PLUGIN_CALL fakeWait() {
    FakePlugin& p = plugin();
    ++p.waits;
    if (p.onWait)
        p.onWait();
    if (p.waitAnswers.empty())
        return 1;
    const std::int32_t answer = p.waitAnswers.front();
    p.waitAnswers.erase(p.waitAnswers.begin());
    return answer;
}
char* SPINDREL_PLUGIN_CALL fakeAbilities(char* buffer) {
    ++plugin().abilityCalls;
    if (plugin().fillAbilities) {
        plugin().fillAbilities(buffer);
        return buffer;
    }
    const std::string& text = plugin().abilities;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

std::int32_t SPINDREL_PLUGIN_CALL fakeState(contract::PlayerStateRecord* record) {
    ++plugin().stateReads;
    const PlayerState state = plugin().states->read();
    record->known = state.known ? 1 : 0;
    record->domain = static_cast<std::int32_t>(state.domain);
    record->title = state.title;
    record->chapter = state.chapter;
    record->sinceMs = static_cast<std::uint32_t>(state.sinceMs);
    return record->known;
}

template <typename Fn>
void* address(Fn fn) {
    return reinterpret_cast<void*>(fn);
}

}  // namespace

FakePlugin::FakePlugin() {
    if (active != nullptr) throw std::logic_error("only one FakePlugin at a time");
    active = this;
}

FakePlugin::~FakePlugin() { active = nullptr; }

void FakePlugin::install(FakeLibraries& libraries, const std::string& fileName,
                         const std::set<std::string>& omit) {
    FakeLibraries::Exports exports{
        {"PCDVD_Player", address(&fakePlayer)},    {"PCDVD_Window", address(&fakeWindow)},
        {"Send_To_DVD", address(&fakeSend)},       {"Start_DVD_Player", address(&fakeStart)},
        {"Kill_DVD_Player", address(&fakeKill)},   {"Wait_For_Player", address(&fakeWait)},
        {"Get_Abilities", address(&fakeAbilities)},
    };
    if (states != nullptr) exports[contract::kStateExport] = address(&fakeState);
    for (const std::string& name : omit) exports.erase(name);
    libraries.add(fileName, exports);
}

}  // namespace spindrel::testing
