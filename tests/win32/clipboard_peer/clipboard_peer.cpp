// A second process for the clipboard tests: "put FILE" puts the file's bytes on the clipboard as
// text, "get FILE" writes the clipboard's text to the file. Exit code 0 on success.

#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/win32_clipboard.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string command = argv[1];
    spindrel::Win32Clipboard clipboard;
    if (command == "put") {
        std::ifstream in(argv[2], std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return in && clipboard.setText(text) ? 0 : 1;
    }
    if (command == "get") {
        const std::optional<std::string> text = clipboard.text();
        if (!text) return 1;
        std::ofstream out(argv[2], std::ios::binary);
        out << *text;
        return out ? 0 : 1;
    }
    return 2;
}
