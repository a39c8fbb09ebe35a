// A dialog built from a resource template, run modally (DoModal) or
// modelessly (Create). Commands reach handlers registered with MapCommand;
// IDOK and IDCANCEL fall back to OnOK and OnCancel.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

#include "winfx/data_exchange.h"
#include "winfx/window.h"

namespace winfx {

class Dialog : public Window {
  public:
    Dialog(int templateId, HWND parent);
    ~Dialog() override;

    // Runs the dialog with its owner disabled; the value given to EndDialog.
    INT_PTR DoModal();
    // Creates the dialog without showing it unless its template says so.
    bool Create(HWND owner);
    // A modal dialog leaves DoModal; a modeless one is hidden.
    void EndDialog(INT_PTR result);

    // Runs ExchangeFields on the dialog's controls.
    bool UpdateData(bool save);

  protected:
    using Handler = std::function<void()>;
    void MapCommand(int id, int notifyCode, Handler handler);

    // The default performs a load exchange; TRUE lets the dialog manager set
    // the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // The default performs a save exchange and, if it succeeds, ends with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    virtual bool ExchangeFields(DataExchange& exchange);
    // The code page of the dialog's text fields.
    virtual UINT FieldCodePage() const { return CP_ACP; }
    // kind is the CTLCOLOR_* value; null leaves the request to the default.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, int kind);
    // Any other message; true when handled, with the message's result. An
    // unhandled message gets the dialog manager's default processing.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void HandleCommand(int id, int notifyCode);
    void CenterIfUnplaced(const RECT& placedAt);

    int m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
    std::map<std::pair<int, int>, Handler> m_handlers;
};

}  // namespace winfx
