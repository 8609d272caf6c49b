#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/fake_shared_memory.h"

namespace spindrel {
namespace {

using testing::FakeSharedMemory;
using testing::SharedMemorySystem;

std::uint32_t word(const SharedMemorySystem& system, const std::string& name, int index) {
    std::uint32_t value = 0;
    std::memcpy(&value, system.blocks.at(name)->bytes.data() + 4 * index, 4);
    return value;
}

TEST(SingleInstanceTest, FirstCopyStoresItsHandlesAndKeepsTheNameUntilItEnds) {
    SharedMemorySystem machine;
    FakeSharedMemory process(machine);
    {
        TSingleInstance guard(process);
        bool raised = false;
        guard.OnAlreadyRunning = [&](std::uint32_t, std::uint32_t) { raised = true; };
        guard.Loaded("DVD_Spindrel.exe", 0x400000, 0x20ABC);
        EXPECT_FALSE(raised);
        EXPECT_EQ(machine.blocks.at("DVD_Spindrel.exe")->bytes.size(), 8u);
        EXPECT_EQ(word(machine, "DVD_Spindrel.exe", 0), 0x400000u);
        EXPECT_EQ(word(machine, "DVD_Spindrel.exe", 1), 0x20ABCu);
        EXPECT_EQ(process.views, 0);  // the view is unmapped, the mapping stays
        EXPECT_EQ(machine.blocks.at("DVD_Spindrel.exe")->openHandles, 1);
    }
    EXPECT_EQ(machine.blocks.at("DVD_Spindrel.exe")->openHandles, 0);
}

TEST(SingleInstanceTest, LaterCopyIsToldTheFirstCopysHandles) {
    SharedMemorySystem machine;
    FakeSharedMemory first(machine);
    bool existed = true;
    const SharedMemoryHandle held = first.createOrOpen("DVD_Spindrel.exe", 8, existed);
    ASSERT_FALSE(existed);
    const std::uint32_t handles[2] = {0x400000, 0x30DEF};
    std::memcpy(first.map(held), handles, 8);

    FakeSharedMemory second(machine);
    TSingleInstance guard(second);
    std::uint32_t gotInstance = 0;
    std::uint32_t gotWindow = 0;
    guard.OnAlreadyRunning = [&](std::uint32_t instance, std::uint32_t window) {
        gotInstance = instance;
        gotWindow = window;
    };
    guard.Loaded("DVD_Spindrel.exe", 0x500000, 0x999);
    EXPECT_EQ(gotInstance, 0x400000u);
    EXPECT_EQ(gotWindow, 0x30DEFu);
    EXPECT_EQ(word(machine, "DVD_Spindrel.exe", 1), 0x30DEFu);  // left as the first copy wrote it
}

TEST(SingleInstanceTest, WithoutAHandlerTheFirstCopyIsBroughtForwardAndThisOneEnds) {
    SharedMemorySystem machine;
    FakeSharedMemory first(machine);
    bool existed = false;
    const SharedMemoryHandle held = first.createOrOpen("x.exe", 8, existed);
    const std::uint32_t handles[2] = {1, 0x4444};
    std::memcpy(first.map(held), handles, 8);

    FakeSharedMemory second(machine);
    TSingleInstance guard(second);
    std::uint32_t foreground = 0;
    bool terminated = false;
    guard.bringToForeground = [&](std::uint32_t window) { foreground = window; };
    guard.terminateApplication = [&] { terminated = true; };
    guard.Loaded("x.exe", 2, 3);
    EXPECT_EQ(foreground, 0x4444u);
    EXPECT_TRUE(terminated);
}

TEST(SingleInstanceTest, CopiesUnderOtherFileNamesDoNotSeeEachOther) {
    SharedMemorySystem machine;
    FakeSharedMemory first(machine);
    bool existed = false;
    first.createOrOpen("DVD_Spindrel.exe", 8, existed);

    FakeSharedMemory second(machine);
    TSingleInstance guard(second);
    bool raised = false;
    guard.OnAlreadyRunning = [&](std::uint32_t, std::uint32_t) { raised = true; };
    guard.Loaded("Spindrel_copy.exe", 1, 2);
    EXPECT_FALSE(raised);
}

TEST(SingleInstanceTest, FailuresToCreateOrMapDoNothing) {
    SharedMemorySystem machine;
    FakeSharedMemory process(machine);
    machine.failCreate = true;
    {
        TSingleInstance guard(process);
        guard.OnAlreadyRunning = [](std::uint32_t, std::uint32_t) { FAIL(); };
        guard.Loaded("a.exe", 1, 2);
        EXPECT_EQ(machine.blocks.count("a.exe"), 0u);
    }
    machine.failCreate = false;
    machine.failMap = true;
    TSingleInstance guard(process);
    guard.Loaded("a.exe", 1, 2);
    EXPECT_EQ(word(machine, "a.exe", 0), 0u);
}

TEST(SingleInstanceTest, OnlyOneGuardMayExistInAProcess) {
    SharedMemorySystem machine;
    FakeSharedMemory process(machine);
    TSingleInstance guard(process);
    EXPECT_THROW(TSingleInstance second(process), std::logic_error);
}

}  // namespace
}  // namespace spindrel
