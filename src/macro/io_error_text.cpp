#include "macro/io_error_text.h"

#include "base/errors.h"

namespace spindrel {

std::string ioErrorText(int systemErrorCode) {
    switch (systemErrorCode) {
        case 2:
            return "File not found";
        case 3:
            return "Invalid filename";
        case 4:
            return "Too many open files";
        case 5:
            return "File access denied";
        // The run-time library noticed a full disk by a short write, not by an error code; the
        // system's codes for it get the same words.
        case 39:
        case 112:
            return "Disk full";
        default:
            return "I/O error " + std::to_string(systemErrorCode);
    }
}

void throwInOutError(int systemErrorCode) {
    throw InOutError(ioErrorText(systemErrorCode), systemErrorCode);
}

}  // namespace spindrel
