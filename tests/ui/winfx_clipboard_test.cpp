#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "winfx/clipboard.h"

namespace {

// A clipboard that fails where it is told to and logs every call.
class FakeClipboard : public winfx::ClipboardSystem {
  public:
    int failAllocation = 0;  // the n-th allocation fails (1-based); 0: none
    bool failOpen = false;
    bool failEmpty = false;
    int failHand = 0;  // the n-th hand-over fails

    std::vector<std::string> log;
    std::vector<HGLOBAL> freed;
    std::vector<HGLOBAL> handed;

    HGLOBAL Allocate(const std::string&) override {
        ++m_allocations;
        if (m_allocations == failAllocation) {
            log.push_back("alloc failed");
            return nullptr;
        }
        log.push_back("alloc");
        return reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(m_allocations * 16));
    }
    void Free(HGLOBAL block) override { freed.push_back(block); }
    bool Open(HWND) override {
        log.push_back("open");
        return !failOpen;
    }
    bool Empty() override {
        log.push_back("empty");
        return !failEmpty;
    }
    bool Hand(UINT, HGLOBAL block) override {
        ++m_handOvers;
        if (m_handOvers == failHand) {
            log.push_back("hand failed");
            return false;
        }
        log.push_back("hand");
        handed.push_back(block);
        return true;
    }
    void Close() override { log.push_back("close"); }

    size_t Allocated() const { return static_cast<size_t>(m_allocations); }

  private:
    int m_allocations = 0;
    int m_handOvers = 0;
};

const std::vector<winfx::ClipboardItem> kItems = {
    {CF_TEXT, std::string("ab\0", 3)}, {CF_UNICODETEXT, "x"}, {CF_LOCALE, "l"}};

HGLOBAL Block(int n) {
    return reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(n * 16));
}

TEST(PutOnClipboard, HandsEveryBlockOverAndFreesNone) {
    FakeClipboard clipboard;
    EXPECT_EQ(winfx::PutOnClipboard(nullptr, kItems, clipboard), winfx::ClipboardResult::Copied);
    EXPECT_EQ(clipboard.log, (std::vector<std::string>{"alloc", "alloc", "alloc", "open", "empty",
                                                       "hand", "hand", "hand", "close"}));
    EXPECT_TRUE(clipboard.freed.empty());
}

TEST(PutOnClipboard, FailedAllocationLeavesTheClipboardAlone) {
    for (int failing = 1; failing <= 3; ++failing) {
        FakeClipboard clipboard;
        clipboard.failAllocation = failing;
        EXPECT_EQ(winfx::PutOnClipboard(nullptr, kItems, clipboard),
                  winfx::ClipboardResult::OutOfMemory);
        EXPECT_EQ(std::count(clipboard.log.begin(), clipboard.log.end(), "open"), 0) << failing;
        EXPECT_EQ(std::count(clipboard.log.begin(), clipboard.log.end(), "empty"), 0) << failing;
        EXPECT_EQ(clipboard.freed.size(), static_cast<size_t>(failing - 1)) << failing;
    }
}

TEST(PutOnClipboard, BusyClipboardFreesTheBlocksAndStaysUnchanged) {
    FakeClipboard clipboard;
    clipboard.failOpen = true;
    EXPECT_EQ(winfx::PutOnClipboard(nullptr, kItems, clipboard), winfx::ClipboardResult::Busy);
    EXPECT_EQ(std::count(clipboard.log.begin(), clipboard.log.end(), "empty"), 0);
    EXPECT_EQ(clipboard.freed.size(), 3u);
}

TEST(PutOnClipboard, RefusedEmptyingFreesTheBlocksAndCloses) {
    FakeClipboard clipboard;
    clipboard.failEmpty = true;
    EXPECT_EQ(winfx::PutOnClipboard(nullptr, kItems, clipboard), winfx::ClipboardResult::Refused);
    EXPECT_EQ(clipboard.freed.size(), 3u);
    EXPECT_EQ(clipboard.log.back(), "close");
}

TEST(PutOnClipboard, RefusedHandOverFreesOnlyTheBlocksNotTaken) {
    const struct {
        int failing;
        std::vector<HGLOBAL> freed;
    } cases[] = {
        {1, {Block(1), Block(2), Block(3)}},
        {2, {Block(2), Block(3)}},
        {3, {Block(3)}},
    };
    for (const auto& c : cases) {
        FakeClipboard clipboard;
        clipboard.failHand = c.failing;
        EXPECT_EQ(winfx::PutOnClipboard(nullptr, kItems, clipboard),
                  winfx::ClipboardResult::Refused);
        EXPECT_EQ(clipboard.freed, c.freed) << c.failing;
        EXPECT_EQ(clipboard.handed.size(), static_cast<size_t>(c.failing - 1)) << c.failing;
        EXPECT_EQ(clipboard.log.back(), "close") << c.failing;
    }
}

}  // namespace
