// The clipboard adapter and the DSM clipboard form between two processes.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>

#include "macro/dsm_clipboard.h"
#include "support/read_file.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_file_system.h"

namespace spindrel {
namespace {

using spindrel::testing::readWholeFile;

std::string testFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Runs the peer program and waits for it, at most ten seconds.
DWORD runPeer(const std::string& command, const std::string& file) {
    std::string line =
        "\"" + testFolder() + "clipboard_peer.exe\" " + command + " \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start the clipboard peer: error " << GetLastError();
        return 99;
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 98;
    if (waited == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        ADD_FAILURE() << "the clipboard peer did not end within 10 s";
        TerminateProcess(process.hProcess, 97);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string scratchFile(const char* stem) {
    return testFolder() + stem + std::to_string(GetCurrentProcessId()) + ".txt";
}

class ClipboardAdapterTest : public ::testing::Test {
  protected:
    Win32FileSystem files;
    Win32FileIo io;
    Win32Clipboard clipboard;
    DsmModel model;
    DsmDocument document{model, files, io};
    DsmClipboard dsmClipboard{document, clipboard};
    ButtonNames known{{"Enter", "Next"}};
};

TEST_F(ClipboardAdapterTest, TextRoundTripsWithinTheProcess) {
    ASSERT_TRUE(clipboard.setText("##DSM Format :a.dsm\r\n1.0,Enter\r\n"));
    EXPECT_TRUE(clipboard.holdsText());
    EXPECT_EQ(clipboard.text(), "##DSM Format :a.dsm\r\n1.0,Enter\r\n");
    EXPECT_TRUE(dsmClipboard.canPaste());
    ASSERT_TRUE(clipboard.setText("plain text"));
    EXPECT_FALSE(dsmClipboard.canPaste());
}

TEST_F(ClipboardAdapterTest, ACopiedDsmReachesAnotherProcessByteForByte) {
    model.dsm_name.caption = "1a2b3c4d.dsm";
    model.Notes = {"Title"};
    model.ClickList = {{"2.5", "Enter"}};
    dsmClipboard.copy();

    const std::string file = scratchFile("clip_get");
    ASSERT_EQ(runPeer("get", file), 0u);
    const std::string got = readWholeFile(file);
    DeleteFileA(file.c_str());
    EXPECT_EQ(got, "##DSM Format :1a2b3c4d.dsm\r\n#Title\r\n2.5,Enter\r\n");
}

TEST_F(ClipboardAdapterTest, ADsmPutByAnotherProcessIsPasted) {
    const std::string file = scratchFile("clip_put");
    {
        std::ofstream out(file, std::ios::binary);
        out << "##DSM Format :film.dsm\r\n#From afar\r\n12.5,Next\r\n0.0,Enter\r\n";
    }
    ASSERT_EQ(runPeer("put", file), 0u);
    DeleteFileA(file.c_str());
    ASSERT_TRUE(dsmClipboard.canPaste());
    dsmClipboard.paste(known);
    EXPECT_EQ(model.dsm_name.caption, "film.dsm");
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"From afar"}));
    EXPECT_EQ(model.ClickList, (std::vector<Click>{{"12.5", "Next"}}));
    EXPECT_TRUE(document.modified());
}

}  // namespace
}  // namespace spindrel
