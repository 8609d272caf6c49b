#pragma once
// The WM_COPYDATA commands of MPC-HC's and MPC-BE's "/slave" interface (MPC-HC src/mpc-hc/MpcApi.h;
// MPC-BE src/apps/mplayerc/mpcapi.h: the same identifiers), shared by Mpc.dll and the stand-in
// player that impersonates MPC.

#include <cstdint>

namespace spindrel::mpc_api {

inline constexpr std::uintptr_t kCmdConnect = 0x50000000;
inline constexpr std::uintptr_t kCmdNowPlaying = 0x50000003;
inline constexpr std::uintptr_t kCmdDisconnect = 0x5000000B;
inline constexpr std::uintptr_t kCmdGetNowPlaying = 0xA0003002;

}  // namespace spindrel::mpc_api
