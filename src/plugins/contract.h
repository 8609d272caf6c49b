#pragma once
// The agreement between the program and every player plug-in: seven exports under plain names,
// at most one argument each, one calling convention on both sides. Plain data only.
//
// On x86_64 the platform's own convention already passes the argument in a register. On i686 it
// is __fastcall (argument in ECX); the .def files keep the exported names undecorated.

#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define SPINDREL_PLUGIN_CALL __fastcall
#else
#define SPINDREL_PLUGIN_CALL
#endif

namespace spindrel::contract {

using WindowHandle = std::uint32_t;  // 0: no such window
using Boolean = std::uint8_t;        // non-zero: true

using PCDVD_Player_fn = WindowHandle(SPINDREL_PLUGIN_CALL*)();
using PCDVD_Window_fn = WindowHandle(SPINDREL_PLUGIN_CALL*)();
using Send_To_DVD_fn = std::int32_t(SPINDREL_PLUGIN_CALL*)(std::int32_t code);
using Start_DVD_Player_fn = Boolean(SPINDREL_PLUGIN_CALL*)(char driveLetter);
using Kill_DVD_Player_fn = std::int32_t(SPINDREL_PLUGIN_CALL*)();
using Wait_For_Player_fn = std::int32_t(SPINDREL_PLUGIN_CALL*)();
using Get_Abilities_fn = char*(SPINDREL_PLUGIN_CALL*)(char* buffer);

// The caller's buffer for Get_Abilities; the list and its NUL must fit.
inline constexpr int kAbilityBufferSize = 10000;

// The one optional export, looked up by this name: where the player is. A plug-in without it is
// a player that reports nothing, and the program keeps every click's blind time for it. It must
// return at once, whatever the player does: the program calls it on its window's thread several
// times a second, so a plug-in reads its player elsewhere and hands over its latest reading.
inline constexpr const char* kStateExport = "PCDVD_State";

enum StateDomain : std::int32_t {
    kDomainFirstPlay = 0,  // the disc's first-play program (warnings before any menu)
    kDomainMenu = 1,
    kDomainTitle = 2,
    kDomainStopped = 3,
};

// Filled by PCDVD_State. The caller sets size to the size it knows, so that the record may grow
// at its end without an older program's smaller record being overrun.
struct PlayerStateRecord {
    std::uint32_t size;
    std::int32_t known;    // non-zero: the fields below hold
    std::int32_t domain;   // a StateDomain
    std::int32_t title;    // from 1 as players show it; 0 outside a title
    std::int32_t chapter;  // from 1; 0 when not known
    std::uint32_t sinceMs;  // how long ago this state began
};

// Returns record->known.
using PCDVD_State_fn = std::int32_t(SPINDREL_PLUGIN_CALL*)(PlayerStateRecord* record);

}  // namespace spindrel::contract

// What each plug-in DLL defines.
extern "C" {
spindrel::contract::WindowHandle SPINDREL_PLUGIN_CALL PCDVD_Player();
spindrel::contract::WindowHandle SPINDREL_PLUGIN_CALL PCDVD_Window();
std::int32_t SPINDREL_PLUGIN_CALL Send_To_DVD(std::int32_t code);
spindrel::contract::Boolean SPINDREL_PLUGIN_CALL Start_DVD_Player(char driveLetter);
std::int32_t SPINDREL_PLUGIN_CALL Kill_DVD_Player();
std::int32_t SPINDREL_PLUGIN_CALL Wait_For_Player();
char* SPINDREL_PLUGIN_CALL Get_Abilities(char* buffer);
// Only in the plug-ins whose player reports its state.
std::int32_t SPINDREL_PLUGIN_CALL PCDVD_State(spindrel::contract::PlayerStateRecord* record);
}
