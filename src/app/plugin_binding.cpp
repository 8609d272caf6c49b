#include "app/plugin_binding.h"

#include "app/app_texts.h"
#include "plugins/contract.h"

namespace spindrel {

namespace {

class BoundPlayer : public PlayerPort {
public:
    contract::PCDVD_Window_fn window = nullptr;
    contract::PCDVD_Player_fn player = nullptr;
    contract::Send_To_DVD_fn send = nullptr;
    contract::Start_DVD_Player_fn start = nullptr;
    contract::Kill_DVD_Player_fn kill = nullptr;
    contract::Wait_For_Player_fn wait = nullptr;
    contract::Get_Abilities_fn abilities = nullptr;
    contract::PCDVD_State_fn state = nullptr;  // optional

    std::uint32_t PCDVD_Player() override { return player(); }
    std::uint32_t PCDVD_Window() override { return window(); }
    std::int32_t Send_To_DVD(std::int32_t code) override { return send(code); }
    bool Start_DVD_Player(char driveLetter) override { return start(driveLetter) != 0; }
    std::int32_t Kill_DVD_Player() override { return kill(); }
    std::int32_t Wait_For_Player() override { return wait(); }
    void Get_Abilities(char* buffer) override { abilities(buffer); }
    std::optional<PlayerState> playerState() override {
        if (state == nullptr)
            return std::nullopt;
        return stateFromRecord(state);
    }
};

// The one place where an export's address becomes a typed entry point.
template <typename Fn>
Fn as(void* address) {
    return reinterpret_cast<Fn>(address);
}

}  // namespace

PlayerState stateFromRecord(contract::PCDVD_State_fn read) {
    contract::PlayerStateRecord record{};
    record.size = sizeof record;
    PlayerState state;
    if (read(&record) == 0 || record.known == 0)
        return state;
    switch (record.domain) {
        case contract::kDomainFirstPlay:
            state.domain = PlayerDomain::firstPlay;
            break;
        case contract::kDomainMenu:
            state.domain = PlayerDomain::menu;
            break;
        case contract::kDomainTitle:
            state.domain = PlayerDomain::title;
            break;
        case contract::kDomainStopped:
            state.domain = PlayerDomain::stopped;
            break;
        default:
            return state;  // a domain this program does not know tells it nothing
    }
    state.known = true;
    state.title = record.title;
    state.chapter = record.chapter;
    state.sinceMs = record.sinceMs;
    return state;
}

std::unique_ptr<PlayerPort> bindPlugin(LibraryPort& libraries, MessageBoxPort& messages,
                                       const std::string& fileName, const std::string& caption,
                                       Control& image4) {
    const LibraryHandle library = libraries.load(fileName);
    image4.hint = std::string(texts::kInterfaceHint) + fileName;
    if (library == 0) {
        messages.show(texts::kMissingLibrary + fileName, caption, MsgButtons::ok, MsgIcon::error);
        return nullptr;
    }

    void* addresses[7] = {};
    std::string missing;
    for (int i = 0; i < 7; ++i) {
        addresses[i] = libraries.symbol(library, kPluginExports[i]);
        if (addresses[i] == nullptr) missing = kPluginExports[i];
    }
    if (!missing.empty()) {
        messages.show(texts::kMissingFunction + fileName + "\r" + "Export:\t\t" + missing,
                      caption, MsgButtons::ok, MsgIcon::error);
        return nullptr;
    }

    auto bound = std::make_unique<BoundPlayer>();
    bound->window = as<contract::PCDVD_Window_fn>(addresses[0]);
    bound->player = as<contract::PCDVD_Player_fn>(addresses[1]);
    bound->send = as<contract::Send_To_DVD_fn>(addresses[2]);
    bound->start = as<contract::Start_DVD_Player_fn>(addresses[3]);
    bound->kill = as<contract::Kill_DVD_Player_fn>(addresses[4]);
    bound->wait = as<contract::Wait_For_Player_fn>(addresses[5]);
    bound->abilities = as<contract::Get_Abilities_fn>(addresses[6]);
    bound->state = as<contract::PCDVD_State_fn>(libraries.symbol(library, contract::kStateExport));
    return bound;
}

}  // namespace spindrel
