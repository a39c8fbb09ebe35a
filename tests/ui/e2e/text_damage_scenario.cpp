// INPUT text that code page 932 cannot hold: CREATE FRAME tells the user and
// changes nothing, rather than framing a look-alike.
#include <string>

#include "check.h"
#include "scenarios.h"
#include "session.h"
#include "steps.h"
#include "ui/resource.h"

namespace {

struct Unholdable {
    const wchar_t* typed;
    const wchar_t* named;  // character and code point as the message names them
    const wchar_t* where;
    DWORD selectFrom, selectTo;
};

void CreateFrameFromUnholdableText(const Session& app, const Unholdable& c,
                                   const std::wstring& frame, const std::string& label) {
    HWND input = app.Control(IDC_INPUT);
    SetTextOf(input, c.typed);
    HWND box = PostClickForMessage(app, IDC_CREATE_FRAME, kCaption);
    Check(box != nullptr, label + ": a message box \"zen tabrix\"");
    if (box == nullptr) {
        return;
    }
    const std::wstring expected = std::wstring(c.named) +
                                  L" cannot be framed: code page 932 has no such character.\r\n"
                                  L"Check " +
                                  c.where + L" of your input data.";
    Check(MessageTextOf(box) == expected, label + ": the message names the character and place");
    Check(!HasIcon(box), label + ": no icon");
    Check(TextOf(input) == c.typed, label + ": INPUT exactly as typed");
    Check(TextOf(app.Control(IDC_OUTPUT)) == frame, label + ": OUTPUT unchanged");
    CloseAndWait(app, box, kCaption);
    Check(WaitUntil([&] { return app.FocusedWindow() == input; }), label + ": INPUT has the focus");
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(input, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    Check(from == c.selectFrom && to == c.selectTo, label + ": ...with the character selected");
    Check(TextOf(input) == c.typed, label + ": INPUT still as typed");
}

}  // namespace

void UnholdableTextScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "unholdable: start");
        return;
    }
    EnterInput(app);
    SetTextOf(app.Control(IDC_INPUT), kTable);
    const std::string table = ShiftJisOf(app.Control(IDC_INPUT));
    CreateFrame(app);
    const std::wstring frame = TextOf(app.Control(IDC_OUTPUT));
    Check(ShiftJisOf(app.Control(IDC_OUTPUT)) == FrameOf(table, 1, 1),
          "unholdable: a table code page 932 holds frames as ever");

    const Unholdable cases[] = {
        {L"a\u00A6b|c", L"\"\u00A6\" (U+00A6)", L"line 1, column 2", 1, 2},
        {L"x|y\r\n\u00E9|\U0001F600", L"\"\u00E9\" (U+00E9)", L"line 2, column 1", 5, 6},
        {L"x|y\r\n\u3042|\U0001F600", L"\"\U0001F600\" (U+1F600)", L"line 2, column 3", 7, 9},
    };
    int number = 0;
    for (const Unholdable& c : cases) {
        CreateFrameFromUnholdableText(app, c, frame, "unholdable " + std::to_string(++number));
    }
}
