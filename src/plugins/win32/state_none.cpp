// The players that report nothing: no thread, no window, and presses say nothing either.

#include "plugins/win32/state_source.h"

namespace spindrel::plugins {

std::uint32_t stateReportWindow() {
    return 0;
}

void notePressAnswer(std::string_view) {}

bool playerReports(std::uint32_t) {
    return true;
}

}  // namespace spindrel::plugins
