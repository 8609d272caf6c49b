// DSM files on a real file system: the safe replacement and its failures.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>

#include "base/errors.h"
#include "macro/dsm_document.h"
#include "macro/io_error_text.h"
#include "support/read_file.h"
#include "platform/win32/win32_file_io.h"
#include "platform/win32/win32_file_system.h"

namespace spindrel {
namespace {

using spindrel::testing::readWholeFile;

class DsmFileIoTest : public ::testing::Test {
  protected:
    DsmFileIoTest() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "spindrel_dsm_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        folder += "\\";
    }
    ~DsmFileIoTest() override {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = folder + found.cFileName;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string read(const std::string& path) { return readWholeFile(path); }
    void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    int filesInFolder() {
        int count = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ++count;
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }

    std::string folder;
    Win32FileSystem files;
    Win32FileIo io;
    DsmModel model;
    DsmDocument document{model, files, io};
};

TEST_F(DsmFileIoTest, SaveReplacesTheFileWithExactlyTheFormatsBytes) {
    const std::string path = folder + "1a2b3c4d.dsm";
    write(path, "#an older and much longer document\r\n1.0,Enter\r\n2.0,Enter\r\n");
    model.Notes = {"Title", ""};
    model.ClickList = {{"2.25", "Enter"}};
    document.markModified();
    document.save(path);
    EXPECT_EQ(read(path), "#Title\r\n#\r\n2.3,Enter\r\n");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(filesInFolder(), 1);  // no temporary file left

    model = DsmModel();
    model.dsm_name.caption = path;
    ASSERT_TRUE(document.load(ButtonNames({"Enter"})));
    EXPECT_EQ(model.Notes, (std::vector<std::string>{"Title", ""}));
    EXPECT_EQ(model.ClickList, (std::vector<Click>{{"2.3", "Enter"}}));
}

TEST_F(DsmFileIoTest, SaveToAReadOnlyFileFailsAndLeavesEverythingAsItWas) {
    const std::string path = folder + "locked.dsm";
    write(path, "#before\r\n");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    model.Notes = {"after"};
    document.markModified();
    try {
        document.save(path);
        FAIL() << "the save succeeded";
    } catch (const InOutError& error) {
        EXPECT_STREQ(error.what(), "File access denied");
    }
    EXPECT_EQ(read(path), "#before\r\n");
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(DsmFileIoTest, SaveIntoAMissingFolderFailsWithTheRunTimeText) {
    model.Notes = {"x"};
    try {
        document.save(folder + "no such folder\\x.dsm");
        FAIL() << "the save succeeded";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.what(), ioErrorText(error.code()));
        EXPECT_NE(error.code(), 0);
    }
}

TEST_F(DsmFileIoTest, TheReplacementIsWrittenInTheTargetsOwnFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\film.dsm", "C:\\"},          // the root, not the drive's current folder
        {"\\film.dsm", "\\"},              // the current drive's root
        {"C:film.dsm", "C:."},              // relative to the drive's current folder
        {"film.dsm", "."},
        {"C:\\dsm\\film.dsm", "C:\\dsm"},
        {"dsm/film.dsm", "dsm"},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(temporaryFolderFor(path), expected) << path;

    // A save into a root works wherever the drive's current folder is.
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const std::string inRoot = "C:\\spindrel_root_" + std::to_string(GetCurrentProcessId()) + ".dsm";
    model.Notes = {"root"};
    document.save(inRoot);
    EXPECT_EQ(read(inRoot), "#root\r\n");
    EXPECT_EQ(filesInFolder(), 0);
    DeleteFileA(inRoot.c_str());
    SetCurrentDirectoryA("C:\\");
}

TEST_F(DsmFileIoTest, LoadOfAMissingFileSaysSoWithoutAnError) {
    model.dsm_name.caption = folder + "absent.dsm";
    EXPECT_FALSE(document.load(ButtonNames()));
    std::string bytes;
    EXPECT_EQ(io.readStart(folder + "absent.dsm", 10, bytes), ERROR_FILE_NOT_FOUND);
    // A missing folder is told apart (VLC's portable settings are read only where it exists).
    EXPECT_EQ(io.readAll(folder + "absent\\vlcrc", bytes), ERROR_PATH_NOT_FOUND);
}

TEST_F(DsmFileIoTest, TheStartOfAFileIsReadWithoutTheRest) {
    const std::string path = folder + "huge.dsm";
    write(path, "#Huge\r\n" + std::string(300000, '1'));
    std::string bytes;
    ASSERT_EQ(io.readStart(path, 70000, bytes), 0);
    EXPECT_EQ(bytes.size(), 70000u);
    EXPECT_EQ(bytes.rfind("#Huge\r\n1", 0), 0u);
    ASSERT_EQ(io.readStart(path, 1 << 20, bytes), 0);
    EXPECT_EQ(bytes.size(), 300007u);

    // Another program holds the file to delete or rename it (as VLC replaces its settings).
    HANDLE replacing =
        CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(replacing, INVALID_HANDLE_VALUE);
    EXPECT_EQ(io.readAll(path, bytes), 0);
    CloseHandle(replacing);
}

}  // namespace
}  // namespace spindrel
