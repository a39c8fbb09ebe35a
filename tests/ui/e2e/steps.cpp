#include "steps.h"

#include "command/create_frame.h"
#include "samples_as_shown.h"
#include "ui/resource.h"

const std::wstring kCaption = L"zen tabrix";
const std::wstring kAboutCaption = L"Zentabのﾊﾞｰｼﾞｮﾝ情報";
const std::wstring kTable = L"|品名|数|\r\n|りんご|12|\r\n|ポ||";

std::string FrameOf(const std::string& input, int frameType, int positionType) {
    const CreateFrameResult result = create_frame_text(input, frameType, positionType);
    return result.outcome == CF_FRAME ? result.resultText : std::string();
}

std::wstring TodaysSample() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wDay % 2 == 1 ? kSampleB : kSampleA;
}

bool SameCentre(const RECT& a, const RECT& b) {
    const LONG dx = (a.left + a.right) / 2 - (b.left + b.right) / 2;
    const LONG dy = (a.top + a.bottom) / 2 - (b.top + b.bottom) / 2;
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

void CreateFrame(const Session& app) {
    Click(app.Control(IDC_CREATE_FRAME));
}

HWND OpenSetting(const Session& app) {
    Click(app.Control(IDC_SETTING));
    return app.WaitForWindow(L"SETTING", app.Main());
}

int CheckedCount(HWND setting) {
    int count = 0;
    for (int id = 1004; id <= 1029; ++id) {
        HWND radio = GetDlgItem(setting, id);
        if (radio != nullptr && Checked(radio)) {
            ++count;
        }
    }
    return count;
}

HWND PostClickForMessage(const Session& app, int id, const std::wstring& caption) {
    PostClick(app.Control(id));
    return app.WaitForWindow(caption, app.Main());
}

void CloseAndWait(const Session& app, HWND box, const std::wstring& caption) {
    CloseMessageBox(box);
    app.WaitForNoWindow(caption);
}

void EnterInput(const Session& app) {
    HWND input = app.Control(IDC_INPUT);
    PostMouseClick(input);
    WaitUntil([&] { return app.FocusedWindow() == input && TextOf(input).empty(); });
}
