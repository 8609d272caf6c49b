#pragma once
// The disc panel's texts, kept together.

namespace spindrel::texts {

inline constexpr const char* kNoDvdPresent = "No DVD present";
inline constexpr const char* kScanning = "Scanning...";
inline constexpr const char* kRefreshbtnHint = "Scans your system for a DVD.";
inline constexpr const char* kShape3DesignHint =
    "These indicator lights shows you which region this DVD belongs to.";
inline constexpr const char* kRegionHintStart =
    "These indicators show which region this DVD is playable in.";
inline constexpr const char* kRegionAny = "This DVD is playable in any region.";
inline constexpr const char* kRegionSome = "This DVD is playable in region";
inline constexpr const char* kIfoPathFormat = "%sVideo_ts\\video_ts.ifo";

}  // namespace spindrel::texts
