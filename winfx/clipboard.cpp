#include "winfx/clipboard.h"

#include <cstring>

namespace winfx {

namespace {

class Win32Clipboard : public ClipboardSystem {
  public:
    HGLOBAL Allocate(const std::string& bytes) override {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
        if (block == nullptr) {
            return nullptr;
        }
        void* data = GlobalLock(block);
        if (data == nullptr) {
            GlobalFree(block);
            return nullptr;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        GlobalUnlock(block);
        return block;
    }
    void Free(HGLOBAL block) override { GlobalFree(block); }
    bool Open(HWND owner) override { return OpenClipboard(owner) != FALSE; }
    bool Empty() override { return EmptyClipboard() != FALSE; }
    bool Hand(UINT format, HGLOBAL block) override {
        return SetClipboardData(format, block) != nullptr;
    }
    void Close() override { CloseClipboard(); }
};

void FreeFrom(ClipboardSystem& system, std::vector<HGLOBAL>& blocks, size_t first) {
    for (size_t i = first; i < blocks.size(); ++i) {
        system.Free(blocks[i]);
    }
    blocks.resize(first);
}

}  // namespace

ClipboardSystem& SystemClipboard() {
    static Win32Clipboard clipboard;
    return clipboard;
}

ClipboardResult PutOnClipboard(HWND owner, const std::vector<ClipboardItem>& items,
                               ClipboardSystem& system) {
    std::vector<HGLOBAL> blocks;
    for (const ClipboardItem& item : items) {
        HGLOBAL block = system.Allocate(item.bytes);
        if (block == nullptr) {
            FreeFrom(system, blocks, 0);
            return ClipboardResult::OutOfMemory;
        }
        blocks.push_back(block);
    }
    if (!system.Open(owner)) {
        FreeFrom(system, blocks, 0);
        return ClipboardResult::Busy;
    }
    if (!system.Empty()) {
        FreeFrom(system, blocks, 0);
        system.Close();
        return ClipboardResult::Refused;
    }
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (!system.Hand(items[i].format, blocks[i])) {
            FreeFrom(system, blocks, i);
            system.Close();
            return ClipboardResult::Refused;
        }
    }
    system.Close();
    return ClipboardResult::Copied;
}

}  // namespace winfx
