#include "winfx/data_exchange.h"

#include "winfx/app.h"
#include "winfx/edit_byte_limit.h"
#include "winfx/message_box.h"
#include "winfx/text_codec.h"
#include "winfx/window.h"

namespace winfx {

DataExchange::DataExchange(ControlAccess& controls, bool save, UINT codePage)
    : m_controls(controls), m_save(save), m_codePage(codePage) {}

void DataExchange::Text(int id, std::string& value) {
    if (m_save) {
        value = Narrow(m_controls.GetText(id), m_codePage);
    } else {
        m_controls.SetText(id, Widen(value, m_codePage));
    }
}

bool DataExchange::MaxBytes(int id, const std::string& value, size_t maxBytes) {
    if (!m_save) {
        m_controls.LimitBytes(id, maxBytes, m_codePage);
        return true;
    }
    if (value.size() <= maxBytes) {
        return true;
    }
    m_controls.ReportInvalid(id, MaxBytesMessage(maxBytes));
    return false;
}

std::wstring MaxBytesMessage(size_t maxBytes) {
    // "%1 文字以内で入力してください。"
    std::wstring message =
        L"%1 \u6587\u5B57\u4EE5\u5185\u3067\u5165\u529B\u3057\u3066\u304F\u3060\u3055\u3044\u3002";
    message.replace(0, 2, std::to_wstring(maxBytes));
    return message;
}

std::wstring DialogControls::GetText(int id) {
    return WindowText(GetDlgItem(m_dialog, id));
}

void DialogControls::SetText(int id, const std::wstring& text) {
    SetDlgItemTextW(m_dialog, id, text.c_str());
}

void DialogControls::LimitBytes(int id, size_t maxBytes, UINT codePage) {
    LimitEditBytes(GetDlgItem(m_dialog, id), maxBytes, codePage);
}

void DialogControls::ReportInvalid(int id, const std::wstring& message) {
    const App* app = App::Current();
    const std::wstring caption = app != nullptr ? app->Name() : std::wstring();
    ShowMessage(m_dialog, message, caption, MB_OK | MB_ICONEXCLAMATION);
    HWND control = GetDlgItem(m_dialog, id);
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace winfx
