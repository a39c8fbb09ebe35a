// Moving values between a dialog's controls and its fields, in one of two
// directions: save (controls to fields, with validation) or load (fields to
// controls). Text fields are byte strings of an explicit code page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace winfx {

// What an exchange needs from the dialog's controls.
class ControlAccess {
  public:
    virtual ~ControlAccess() = default;
    virtual std::wstring GetText(int id) = 0;
    virtual void SetText(int id, const std::wstring& text) = 0;
    virtual void LimitBytes(int id, size_t maxBytes, UINT codePage) = 0;
    // Tells the user why the control's value was refused and puts the user
    // back into that control with its whole text selected.
    virtual void ReportInvalid(int id, const std::wstring& message) = 0;
};

class DataExchange {
  public:
    DataExchange(ControlAccess& controls, bool save, UINT codePage);

    bool Saving() const { return m_save; }
    void Text(int id, std::string& value);
    // Save: false (after telling the user) when value is longer than maxBytes.
    // Load: limits what the user can enter into the control to maxBytes.
    bool MaxBytes(int id, const std::string& value, size_t maxBytes);

  private:
    ControlAccess& m_controls;
    bool m_save;
    UINT m_codePage;
};

// "%1 文字以内で入力してください。" with %1 replaced by the limit.
std::wstring MaxBytesMessage(size_t maxBytes);

// ControlAccess over the child controls of a real dialog window.
class DialogControls : public ControlAccess {
  public:
    explicit DialogControls(HWND dialog) : m_dialog(dialog) {}
    std::wstring GetText(int id) override;
    void SetText(int id, const std::wstring& text) override;
    void LimitBytes(int id, size_t maxBytes, UINT codePage) override;
    void ReportInvalid(int id, const std::wstring& message) override;

  private:
    HWND m_dialog;
};

}  // namespace winfx
