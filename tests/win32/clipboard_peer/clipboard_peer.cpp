// A second process for the clipboard tests: "put FILE" puts the file's bytes on the clipboard as
// text, "get FILE" writes the clipboard's text to the file. Exit code 0 on success.

#include <cstdio>
#include <fstream>
#include <string>

#include "support/read_file.h"
#include "platform/win32/win32_clipboard.h"

namespace {
using spindrel::testing::readWholeFile;
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const std::string command = argv[1];
    spindrel::Win32Clipboard clipboard;
    if (command == "put") {
        return clipboard.setText(readWholeFile(argv[2])) ? 0 : 1;
    }
    if (command == "get") {
        const std::optional<std::string> text = clipboard.text();
        if (!text)
            return 1;
        std::ofstream out(argv[2], std::ios::binary);
        out << *text;
        return out ? 0 : 1;
    }
    return 2;
}
