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
}
