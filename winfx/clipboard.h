// Putting data in several formats on the clipboard at once, so that either
// all of it replaces the former content or, where possible, nothing changes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winfx {

struct ClipboardItem {
    UINT format;
    std::string bytes;  // the block's exact content
};

enum class ClipboardResult {
    Copied,       // every item is on the clipboard
    Busy,         // the clipboard could not be opened; it is unchanged
    OutOfMemory,  // a block could not be made; the clipboard is unchanged
    Refused,      // the clipboard was emptied but did not take every item
};

// The clipboard and global-memory calls, replaceable to test failures.
class ClipboardSystem {
  public:
    virtual ~ClipboardSystem() = default;
    virtual HGLOBAL Allocate(const std::string& bytes) = 0;  // null on failure
    virtual void Free(HGLOBAL block) = 0;
    virtual bool Open(HWND owner) = 0;
    virtual bool Empty() = 0;
    virtual bool Hand(UINT format, HGLOBAL block) = 0;  // on success the clipboard owns it
    virtual void Close() = 0;
};

ClipboardSystem& SystemClipboard();

// Blocks are made before the clipboard is emptied, and a block the clipboard
// did not take is freed.
ClipboardResult PutOnClipboard(HWND owner, const std::vector<ClipboardItem>& items,
                               ClipboardSystem& system = SystemClipboard());

}  // namespace winfx
