// The library dialog over the real file system: the folder listing, file times and the hidden
// index as the trust rules need them, and rename and delete failures.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>

#include "library/tfm_open.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_file_system.h"
#include "support/fake_bitmaps.h"
#include "support/fake_platform.h"
#include "support/read_file.h"
#include "support/scripted_message_boxes.h"
#include "support/virtual_clock.h"

namespace spindrel {
namespace {

using testing::readWholeFile;

constexpr FileTime kOneSecond = 10'000'000;

class LibraryFilesTest : public ::testing::Test {
  protected:
    LibraryFilesTest() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "spindrel_library_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA((root_ + "\\dsm").c_str(), nullptr);
        CreateDirectoryA((root_ + "\\images").c_str(), nullptr);
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previous_ = current;
        // The dialog names files bare, in the DSM folder made current, as the program does.
        SetCurrentDirectoryA((root_ + "\\dsm").c_str());
        write("../images/open_dialog.mask", std::string(4, '\0'));
    }
    ~LibraryFilesTest() override {
        SetCurrentDirectoryA(previous_.c_str());
        for (const char* sub : {"\\dsm", "\\images", ""})
            empty(root_ + sub);
    }

    static void empty(const std::string& folder) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = folder + "\\" + found.cFileName;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    RemoveDirectoryA(path.c_str());
                } else {
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    static void write(const std::string& name, const std::string& bytes) {
        std::ofstream out(name, std::ios::binary);
        out << bytes;
    }
    static void setTime(const std::string& name, FileTime time) {
        HANDLE file = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        FILETIME at{static_cast<DWORD>(time & 0xFFFFFFFF), static_cast<DWORD>(time >> 32)};
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &at));
        CloseHandle(file);
    }
    // Wine reports the archive attribute on every file (Unix files have none to keep), so it is
    // left out of the comparison.
    static DWORD attributes(const std::string& name) {
        return GetFileAttributesA(name.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
    }

    void open() {
        dialog = std::make_unique<TfmOpen>(
            LibraryPorts{files, fileIo, bitmaps, clock, messages, pump, [] { return "Test"; }});
        dialog->FormCreate();
        ASSERT_FALSE(dialog->failed()) << dialog->model.pendingError;
    }
    void showAndFill() {
        dialog->FormShow(ShowFacts{});
        clock.runUntilIdle();
    }
    std::vector<std::string> descriptions() const {
        std::vector<std::string> out;
        for (const LibraryRow& row : dialog->model.rows)
            out.push_back(row.description);
        return out;
    }

    Win32FileSystem files;
    Win32FileIo fileIo;
    testing::FakeBitmaps bitmaps;
    testing::VirtualClock clock;
    testing::ScriptedMessageBoxes messages;
    testing::FakeMessagePump pump;
    std::unique_ptr<TfmOpen> dialog;

  private:
    std::string root_;
    std::string previous_;
};

TEST_F(LibraryFilesTest, TheListingReportsHiddenFilesTimesAndFoldersButNothingElse) {
    write("1a2b3c4d.dsm", "#One\r\n");
    write("Hidden.DSM", "#Two\r\n");
    write("notes.txt", "");
    CreateDirectoryA("folder.dsm", nullptr);
    SetFileAttributesA("Hidden.DSM", FILE_ATTRIBUTE_HIDDEN);
    setTime("1a2b3c4d.dsm", 130'000'000'000'000'000LL);

    std::vector<FileEntry> entries = files.findFiles("*.dsm");
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "1a2b3c4d.dsm");
    EXPECT_EQ(entries[0].lastWrite, 130'000'000'000'000'000LL);
    EXPECT_FALSE(entries[0].hidden);
    EXPECT_EQ(entries[1].name, "Hidden.DSM");
    EXPECT_TRUE(entries[1].hidden);
    EXPECT_EQ(entries[2].name, "folder.dsm");
    EXPECT_TRUE(entries[2].directory);

    EXPECT_EQ(files.lastWriteTime("1A2B3C4D.DSM"), 130'000'000'000'000'000LL);
    EXPECT_FALSE(files.lastWriteTime("missing.dsm"));
    EXPECT_FALSE(files.lastWriteTime("folder.dsm"));
    EXPECT_TRUE(files.findFiles("*.none").empty());
}

TEST_F(LibraryFilesTest, TheIndexIsWrittenHiddenAloneAndReplacedWhileHidden) {
    write("aaaaaaaa.dsm", "#First\r\n");
    write("bbbbbbbb.dsm", "#Second\r\n");
    open();
    showAndFill();
    dialog->FormClose();
    EXPECT_EQ(readWholeFile("descriptions.idx"), "aaaaaaaa.dsm=First \r\nbbbbbbbb.dsm=Second \r\n");
    EXPECT_EQ(attributes("descriptions.idx"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    // A second write goes over the hidden file, and leaves no temporary file beside it.
    // An index that something else made a system file is replaced all the same, and left
    // with the hidden attribute alone.
    SetFileAttributesA("descriptions.idx", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    write("cccccccc.dsm", "#Third\r\n");
    showAndFill();
    dialog->FormClose();
    EXPECT_EQ(readWholeFile("descriptions.idx"),
              "aaaaaaaa.dsm=First \r\nbbbbbbbb.dsm=Second \r\ncccccccc.dsm=Third \r\n");
    EXPECT_EQ(attributes("descriptions.idx"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(files.findFiles("*.tmp").size(), 0u);
}

TEST_F(LibraryFilesTest, ADsmWrittenAfterTheIndexIsReadAgainAndAnOlderOneIsTrusted) {
    write("aaaaaaaa.dsm", "#Changed notes\r\n");
    write("bbbbbbbb.dsm", "#Unchanged\r\n");
    write("descriptions.idx", "aaaaaaaa.dsm=Old notes \r\nbbbbbbbb.dsm=Indexed \r\n");
    const FileTime indexTime = 133'000'000'000'000'000LL;
    setTime("descriptions.idx", indexTime);
    setTime("aaaaaaaa.dsm", indexTime + kOneSecond);
    setTime("bbbbbbbb.dsm", indexTime);  // as old as the index: still trusted
    open();
    dialog->FormShow(ShowFacts{});
    clock.advance(10);
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"", "Indexed "}));
    clock.runUntilIdle();
    EXPECT_EQ(descriptions(), (std::vector<std::string>{"Changed notes ", "Indexed "}));
}

TEST_F(LibraryFilesTest, RenameAndDeleteFailuresAreReportedWithTheirTexts) {
    write("aaaaaaaa.dsm", "#First\r\n");
    write("movie.dsm", "#Taken\r\n");
    open();
    showAndFill();
    dialog->FileListSelect(0);

    dialog->Rename1Click(0);
    dialog->namefieldEnter("movie");  // exists already
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error renaming File.");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::error);
    EXPECT_EQ(readWholeFile("movie.dsm"), "#Taken\r\n");

    dialog->Rename1Click(0);
    dialog->namefieldEnter("AAAAAAAA");  // only the letter case changes
    EXPECT_EQ(messages.shown.size(), 1u);
    // Windows renames the file; Wine finds the target to be the file itself and keeps its name.
    EXPECT_EQ(dialog->model.rows[0].name, "AAAAAAAA.dsm");
    EXPECT_TRUE(files.fileExists("AAAAAAAA.dsm"));

    // Held open without delete sharing, as another program may hold it.
    HANDLE held = CreateFileA("AAAAAAAA.dsm", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    messages.answer(MsgAnswer::yes);
    dialog->Delete1Click();
    CloseHandle(held);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[1].text,
              "Are you sure that you want to delete this DSM\rAAAAAAAA.dsm");
    EXPECT_EQ(messages.shown[2].text, "Error deleting File.");
    EXPECT_EQ(dialog->model.rows.size(), 1u);
    EXPECT_TRUE(files.fileExists("AAAAAAAA.dsm"));

    messages.answer(MsgAnswer::yes);
    dialog->Delete1Click();
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_TRUE(dialog->model.rows.empty());
    EXPECT_FALSE(files.fileExists("AAAAAAAA.dsm"));
}

}  // namespace
}  // namespace spindrel
