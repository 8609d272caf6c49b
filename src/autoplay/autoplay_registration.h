#pragma once
// Makes the program the DVD handler of the two autoplay programs it knows. Both only add and
// rewrite entries: whatever handler was there before stays available, and nothing is ever
// removed. A value that cannot be written stops the registration with a RegistryError; what
// was written before it stays.

#include <string>

#include "base/errors.h"
#include "base/registry.h"

namespace spindrel {

// The default profile under HKEY_USERS refused what the current user's took (often only an
// administrator may write there). The text says what was done and what was not, and asks for
// administrator rights when the access was refused; the system's words for any other failure
// are the caller's to add.
class DefaultProfileRefused : public RegistryError {
public:
    using RegistryError::RegistryError;
};

// Disc Detector, for the current user and then for the default profile: the program becomes the
// "Default" handler and the previous default moves to the first free "Player%d". A profile
// without Disc Detector's DVD key is left alone. A refusal under the default profile raises
// DefaultProfileRefused; the current user's registration stays.
void registerDiscDetector(Registry& registry, const std::string& programPath,
                          const std::string& option);

// Spindrel+: the program's pair of values in the UDF list runs on every DVD; every other entry
// becomes a menu option. Creates the list when it is missing.
void registerSpindrelPlus(Registry& registry, const std::string& programPath,
                          const std::string& option);

// Windows AutoPlay, for the current user only (no administrator rights needed): the program's
// ProgID with a verb that runs it with the option, a handler that names them, and the handler
// in the "Play DVD movie" event's list. Other handlers and the user's choice are left alone.
void registerWindowsAutoPlay(Registry& registry, const std::string& programPath,
                             const std::string& option);

}  // namespace spindrel
