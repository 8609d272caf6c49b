#include "autoplay/autoplay_registration.h"

#include <cstdlib>
#include <vector>

#include "autoplay/autoplay_texts.h"
#include "base/text.h"

namespace spindrel {

namespace {

namespace t = autoplay_texts;

// Every step opens the key it needs; whatever is open when a step ends or fails is closed.
class KeyCloser {
  public:
    explicit KeyCloser(Registry& registry) : registry_(registry) {}
    ~KeyCloser() { registry_.closeKey(); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

  private:
    Registry& registry_;
};

// Registry key names ignore letter case, so the test does too: a hand-made "player1" must not
// hide that Player1 is taken, or the old default would be left in place and overwritten.
int firstFreePlayerNumber(const std::vector<std::string>& subKeyNames) {
    std::string joined;
    for (const std::string& name : subKeyNames)
        joined += asciiLower(name) + "\r\n";
    int number = 0;
    while (joined.find(asciiLower(strFormat(t::kPlayerFormat, number))) != std::string::npos) {
        ++number;
    }
    return number;
}

// True when the profile has Disc Detector's DVD key and the program is now its default.
bool registerDiscDetectorUnder(Registry& registry, RegRoot root, const std::string& dvdKey,
                               const std::string& programPath, const std::string& option) {
    registry.setRootKey(root);
    KeyCloser closer(registry);
    if (!registry.openKey(dvdKey, false))
        return false;
    const std::vector<std::string> subKeys = registry.keyNames();

    const std::string defaultKey = dvdKey + "\\" + t::kDefaultHandler;
    std::string currentName;
    if (registry.openKey(defaultKey, false))
        currentName = registry.readString(t::kName);

    if (currentName != t::kOwnName) {
        const int number = firstFreePlayerNumber(subKeys);
        registry.openKeyOrThrow(dvdKey, false);
        registry.moveKey(t::kDefaultHandler, "\\" + strFormat(t::kPlayerFormat, number), true);
    }
    registry.openKeyOrThrow(defaultKey, true);
    registry.writeString(t::kName, t::kOwnName);
    registry.writeString(t::kParameters, option);
    registry.writeString(t::kPath, asciiLower(programPath));
    registry.writeBinary(t::kRun, {0x00});
    return true;
}

// Characters 3-4 of a value name as a whole decimal number (a sign allowed), -1 otherwise.
int entryNumber(const std::string& valueName) {
    const std::string digits = valueName.size() > 2 ? valueName.substr(2, 2) : std::string();
    std::size_t first = 0;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+'))
        first = 1;
    if (first == digits.size())
        return -1;
    for (std::size_t i = first; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return -1;
    }
    return std::atoi(digits.c_str());
}

bool isOwnEntry(const std::string& valueName) {
    return valueName.size() > 5 && valueName.substr(5, 100) == t::kOwnName;
}

// "B)NN," and a display name: another program's treatment value. Anything else that merely
// starts with a B is not an entry of the list and keeps its value and type.
bool isTreatmentValue(const std::string& valueName) {
    return valueName.size() >= 5 && valueName.compare(0, 2, "B)") == 0 && valueName[4] == ',';
}

}  // namespace

void registerWindowsAutoPlay(Registry& registry, const std::string& programPath,
                             const std::string& option) {
    registry.setRootKey(RegRoot::currentUser);
    KeyCloser closer(registry);
    // The verb first and the event's list last, so that no step leaves Windows offering a
    // handler that leads nowhere.
    const std::string verbKey = std::string(t::kClassesKey) + t::kProgId + "\\shell\\" + t::kVerb;
    registry.openKeyOrThrow(verbKey, true);
    registry.writeString("", t::kActionText);
    registry.openKeyOrThrow(verbKey + "\\command", true);
    registry.writeString("", strFormat(t::kCommandLineFormat, programPath.c_str(), option.c_str()));

    registry.openKeyOrThrow(std::string(t::kHandlersKey) + t::kHandlerName, true);
    registry.writeString(t::kAction, t::kActionText);
    registry.writeString(t::kProvider, t::kOwnName);
    registry.writeString(t::kDefaultIcon, strFormat(t::kIconFormat, programPath.c_str()));
    registry.writeString(t::kInvokeProgId, t::kProgId);
    registry.writeString(t::kInvokeVerb, t::kVerb);

    registry.openKeyOrThrow(t::kDvdEventKey, true);
    registry.writeString(t::kHandlerName, "");
}

void registerDiscDetector(Registry& registry, const std::string& programPath,
                          const std::string& option) {
    const bool forUser = registerDiscDetectorUnder(registry, RegRoot::currentUser,
                                                   t::kDiscDetectorUserKey, programPath, option);
    try {
        registerDiscDetectorUnder(registry, RegRoot::users, t::kDiscDetectorDefaultUserKey,
                                  programPath, option);
    } catch (const RegistryError& error) {
        // Administrator rights help only where the access was refused; for any other failure
        // the registry's own error says what went wrong.
        throw DefaultProfileRefused((forUser ? t::kDoneForUser : std::string()) +
                                        t::kNotForDefaultProfile + error.what() +
                                        (error.accessDenied() ? t::kNeedsAdministrator : ""),
                                    error.accessDenied(), error.systemCode());
    }
}

void registerSpindrelPlus(Registry& registry, const std::string& programPath,
                          const std::string& option) {
    registry.setRootKey(RegRoot::localMachine);
    KeyCloser closer(registry);
    registry.openKeyOrThrow(t::kSpindrelPlusUdfKey, true);

    // Positive: the highest number so far. Negative or zero once the program's own entry has
    // been seen: minus its number, which it keeps.
    int highest = 0;
    for (const std::string& name : registry.valueNames()) {
        const int number = entryNumber(name);
        if (highest >= 0 && number > highest)
            highest = number;
        if (isOwnEntry(name)) {
            highest = -number;
        } else if (isTreatmentValue(name)) {
            registry.writeInteger(name, 2);
        }
    }
    if (highest >= 0)
        ++highest;
    const int number = std::abs(highest);

    registry.writeString(strFormat(t::kCommandFormat, number),
                         strFormat(t::kCommandLineFormat, programPath.c_str(), option.c_str()));
    registry.writeInteger(strFormat(t::kTreatmentFormat, number), 1);
    registry.writeInteger(t::kListOption, 0);
}

}  // namespace spindrel
