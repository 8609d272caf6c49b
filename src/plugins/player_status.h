#pragma once
// Where a player is, as a plug-in reads it from the player, and the record the optional state
// export hands to the program: the latest reading and how long ago the state it shows began.

#include <cstdint>
#include <string_view>

#include "plugins/contract.h"

namespace spindrel::plugins {

struct StateReading {
    bool known = false;
    std::int32_t domain = contract::kDomainStopped;
    std::int32_t title = 0;    // from 1; 0 outside a title
    std::int32_t chapter = 0;  // from 1; 0 when not known

    bool operator==(const StateReading&) const = default;
};

// VLC 3's /requests/status.json. Its Lua interface writes "state" from the playlist's status and,
// while an item plays, "information.title" and "information.chapter" from the input's "title"
// and "chapter" variables (share/lua/intf/modules/httprequests.lua, getstatus). For a DVD those
// follow libdvdnav (modules/access/dvdnav.c: the title and part of dvdnav_current_title_info):
// title 0 while a menu domain plays, where the part is the menu's id (1 title menu, 2 root, 3
// subpicture, 4 audio, 5 angle, 6 chapter menu), and title N with chapter M-1 in chapter M of
// title N. A first-play program, which has no menu id, shows title 0 and chapter 0 at the start
// of a disc (measured with VLC 3.0.24; afterwards such a program keeps the previous chapter).
StateReading vlcStatusReading(std::string_view json);
inline constexpr const char* kVlcStatusJsonPath = "/requests/status.json";

// MPC-HC's and MPC-BE's answer to CMD_GETNOWPLAYING while a DVD plays, its text narrowed to
// single bytes: "DVD - <domain>|title|chapters|chapter|seconds", fields split at a "|" that no
// "\" escapes (src/mpc-hc/MpcApi.h; MainFrm.cpp, SendNowPlayingToApi). The domain is one of
// Stopped, FirstPlay, RootMenu (the video manager's menu), TitleMenu (a title set's) and Title;
// the numbers are filled only in Title. A file playing answers with its own title instead, which
// says nothing about a disc.
StateReading mpcNowPlayingReading(std::string_view text);

// The latest reading, and when the state it shows was first seen: a poll that reads the same
// state again does not make it begin anew.
class StateTracker {
  public:
    void update(const StateReading& reading, double nowMs);
    // A player that is gone, or not asked for a while, says nothing until it is read again.
    void forget() { reading_ = {}; }
    contract::PlayerStateRecord record(double nowMs) const;

  private:
    StateReading reading_;
    double sinceMs_ = 0;
};

}  // namespace spindrel::plugins
