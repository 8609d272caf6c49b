#pragma once
// Unexpected failures travel as exceptions and end in the standard error box; their texts are
// what the user reads there, so they say what failed and why.

#include <stdexcept>
#include <string>

namespace spindrel {

class SpindrelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file or folder operation failed.
class InOutError : public SpindrelError {
public:
    InOutError(const std::string& message, int code) : SpindrelError(message), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// A text that should have been a number was not.
class ConvertError : public SpindrelError {
public:
    using SpindrelError::SpindrelError;
};

// Carries what the registry itself said, so that a caller can tell a refused access (a matter
// of rights) from any other failure, and give the system's own words for the latter.
class RegistryError : public SpindrelError {
public:
    explicit RegistryError(const std::string& message, bool accessDenied = false,
                           int systemCode = 0)
        : SpindrelError(message), accessDenied_(accessDenied), systemCode_(systemCode) {}
    bool accessDenied() const { return accessDenied_; }
    // The system's error code; 0 when the failure came with none.
    int systemCode() const { return systemCode_; }

private:
    bool accessDenied_;
    int systemCode_;
};

}  // namespace spindrel
