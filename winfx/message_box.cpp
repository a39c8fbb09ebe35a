#include "winfx/message_box.h"

namespace winfx {

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

}  // namespace winfx
