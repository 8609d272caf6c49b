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

class RegistryError : public SpindrelError {
public:
    using SpindrelError::SpindrelError;
};

}  // namespace spindrel
