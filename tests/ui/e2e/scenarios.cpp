#include "scenarios.h"

#include <string>

#include "check.h"
#include "clipboard_access.h"
#include "session.h"
#include "steps.h"
#include "ui/resource.h"

void StartUpScenario(const std::wstring& exe) {
    Session app(exe);
    Check(app.Started(), "start: the main window \"Zentab\" opens");
    if (!app.Started()) {
        return;
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Check(SameCentre(WindowRect(app.Main()), work), "start: the main window is centred");
    Check(TextOf(app.Control(IDC_INPUT)) == TodaysSample(), "start: INPUT holds the day's sample");
    Check(TextOf(app.Control(IDC_OUTPUT)).empty(), "start: OUTPUT is empty");
    Check(WaitUntil([&] { return app.FocusedWindow() == app.Control(IDC_CREATE_FRAME); }, 3000),
          "start: focus on CREATE FRAME");
    Check(Enabled(app.Control(IDC_SETTING)), "start: SETTING enabled");
    Check(WaitUntil([&] { return ClientPixel(app.Main(), 2, 2) == RGB(255, 255, 255); }, 3000),
          "start: white background");

    const std::string sample = ShiftJisOf(app.Control(IDC_INPUT));
    CreateFrame(app);
    Check(ShiftJisOf(app.Control(IDC_OUTPUT)) == FrameOf(sample, 1, 1),
          "start: CREATE FRAME frames the sample in type 1, A");
    Check(ShiftJisOf(app.Control(IDC_INPUT)) == sample, "start: the sample stays in INPUT");

    PostKey(app.Control(IDC_INPUT), VK_ESCAPE);
    Check(app.WaitForExit(), "start: Esc in INPUT ends the application");
}

namespace {

void OpenSettingBesideTheMainWindow(const Session& app, HWND setting) {
    // The template's (0, 0) is the owner's client origin, and the dialog's own
    // client area goes there, unless it must move up to fit on the screen.
    POINT origin{0, 0};
    ClientToScreen(app.Main(), &origin);
    POINT placed{0, 0};
    ClientToScreen(setting, &placed);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const bool movedToFit = placed.y < origin.y && WindowRect(setting).bottom >= work.bottom - 8;
    Check(placed.x == origin.x && (placed.y == origin.y || movedToFit),
          "setting: the window opens at the main window's client origin");
    Check(!Enabled(app.Control(IDC_SETTING)), "setting: SETTING disabled while open");
    Check(WaitUntil([&] { return ClientPixel(setting, 2, 2) == RGB(248, 239, 244); }, 3000),
          "setting: pale pink-lavender background");
    Check(Checked(GetDlgItem(setting, IDC_FRAME_TYPE1)) &&
              Checked(GetDlgItem(setting, IDC_POSITION_A)) && CheckedCount(setting) == 2,
          "setting: type 1 and type A checked at first");
}

void ChooseEachFrameTypeAndCreateFrames(const Session& app, HWND setting,
                                        const std::string& table) {
    const int frameRadios[] = {IDC_FRAME_TYPE1, IDC_FRAME_TYPE2, IDC_FRAME_TYPE3,
                               IDC_FRAME_TYPE4, IDC_FRAME_TYPE5, IDC_FRAME_TYPE6};
    for (int type = 1; type <= 6; ++type) {
        Click(GetDlgItem(setting, frameRadios[type - 1]));
        CreateFrame(app);
        Check(ShiftJisOf(app.Control(IDC_OUTPUT)) == FrameOf(table, type, 1),
              "setting: frame type " + std::to_string(type) + " chosen while SETTING stays open");
    }
    Check(Visible(setting), "setting: the window stays open while frames are made");
}

void ChoosePositionTypesAndCreateFrames(const Session& app, HWND setting,
                                        const std::string& table) {
    Click(GetDlgItem(setting, IDC_POSITION_G));
    CreateFrame(app);
    Check(ShiftJisOf(app.Control(IDC_OUTPUT)) == FrameOf(table, 6, 7),
          "setting: position type G (id 1015) applies at once");
    Click(GetDlgItem(setting, IDC_FRAME_TYPE3));
    Click(GetDlgItem(setting, IDC_POSITION_Q));
    CreateFrame(app);
    Check(ShiftJisOf(app.Control(IDC_OUTPUT)) == FrameOf(table, 3, 17),
          "setting: frame type 3 with position type Q");
}

void CloseSettingWithEsc(const Session& app, HWND setting) {
    PostKey(GetDlgItem(setting, IDOK), VK_ESCAPE);
    Check(WaitUntil([&] { return !Visible(setting); }), "setting: Esc closes the window");
    Check(WaitUntil([&] { return Enabled(app.Control(IDC_SETTING)); }),
          "setting: SETTING enabled again after Esc");
}

bool ReopenClickAndCloseWithTheCloseBox(const Session& app) {
    HWND setting = OpenSetting(app);
    Check(setting != nullptr && Checked(GetDlgItem(setting, IDC_FRAME_TYPE3)) &&
              Checked(GetDlgItem(setting, IDC_POSITION_Q)) && CheckedCount(setting) == 2,
          "setting: reopened, it shows the choices kept by Esc");
    if (setting == nullptr) {
        return false;
    }
    Click(GetDlgItem(setting, IDC_FRAME_TYPE5));
    PostMessageW(setting, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(WaitUntil([&] { return !Visible(setting) && Enabled(app.Control(IDC_SETTING)); }),
          "setting: the close box closes it and enables SETTING");
    return true;
}

bool ReopenAndCloseWithOk(const Session& app, const std::string& table) {
    HWND setting = OpenSetting(app);
    Check(setting != nullptr && Checked(GetDlgItem(setting, IDC_FRAME_TYPE5)),
          "setting: a click before the close box is kept");
    if (setting == nullptr) {
        return false;
    }
    Click(GetDlgItem(setting, IDOK));
    Check(WaitUntil([&] { return !Visible(setting) && Enabled(app.Control(IDC_SETTING)); }),
          "setting: OK closes it and enables SETTING");
    CreateFrame(app);
    Check(ShiftJisOf(app.Control(IDC_OUTPUT)) == FrameOf(table, 5, 17),
          "setting: the choice holds after the window closed");
    return true;
}

void CloseTheMainWindowWithSettingOpen(const Session& app) {
    OpenSetting(app);
    PostMessageW(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(app.WaitForExit(), "setting: closing the main window with SETTING open ends the app");
}

}  // namespace

void SettingScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "setting: start");
        return;
    }
    SetTextOf(app.Control(IDC_INPUT), kTable);
    const std::string table = ShiftJisOf(app.Control(IDC_INPUT));
    HWND setting = OpenSetting(app);
    Check(setting != nullptr, "setting: SETTING opens its window");
    if (setting == nullptr) {
        return;
    }
    OpenSettingBesideTheMainWindow(app, setting);
    ChooseEachFrameTypeAndCreateFrames(app, setting, table);
    ChoosePositionTypesAndCreateFrames(app, setting, table);
    CloseSettingWithEsc(app, setting);
    if (ReopenClickAndCloseWithTheCloseBox(app) && ReopenAndCloseWithOk(app, table)) {
        CloseTheMainWindowWithSettingOpen(app);
    }
}

namespace {

void CreateFrameFromARaggedTable(const Session& app) {
    SetTextOf(app.Control(IDC_INPUT), L"A\tB\r\nC\t");
    HWND box = PostClickForMessage(app, IDC_CREATE_FRAME, kCaption);
    Check(box != nullptr, "message: a refused line shows a message box \"zen tabrix\"");
    if (box == nullptr) {
        return;
    }
    Check(TextOf(app.Control(IDC_INPUT)) == L"A|B\r\nC|",
          "message: the converted text is in INPUT while the message shows");
    Check(MessageTextOf(box) == L"Illegal input data!!\r\nCheck the 2 line of your input data.",
          "message: the text names line 2");
    Check(!HasIcon(box), "message: no icon");
    Check(TextOf(app.Control(IDC_OUTPUT)).empty(), "message: OUTPUT unchanged");
    CloseAndWait(app, box, kCaption);
}

void CreateFrameFromATableWithoutColumns(const Session& app, const std::wstring& frame) {
    SetTextOf(app.Control(IDC_INPUT), L"|\r\n|");
    HWND box = PostClickForMessage(app, IDC_CREATE_FRAME, kCaption);
    Check(box != nullptr && MessageTextOf(box) == L"internal error",
          "message: a table without columns gives \"internal error\"");
    Check(!frame.empty() && TextOf(app.Control(IDC_OUTPUT)) == frame,
          "message: OUTPUT keeps the last frame");
    if (box != nullptr) {
        CloseAndWait(app, box, kCaption);
    }
}

// Conversion lengthens the text past 4096 bytes: shown, and nothing else.
void CreateFrameFromTabsThatGrowTooLong(const Session& app, const std::wstring& frame) {
    std::wstring longTabs = L"\tx";
    while (longTabs.size() < 4000) {
        longTabs += L"\r\n\tx";
    }
    SetTextOf(app.Control(IDC_INPUT), longTabs);
    CreateFrame(app);
    const std::wstring converted = TextOf(app.Control(IDC_INPUT));
    Check(converted.size() > 4096 && converted.compare(0, 7, L"||x\r\n||") == 0,
          "message: a converted text over 4096 bytes is shown in INPUT");
    Sleep(300);
    Check(app.FindWindowByCaption(kCaption) == nullptr && TextOf(app.Control(IDC_OUTPUT)) == frame,
          "message: ...with no message and OUTPUT unchanged");
}

}  // namespace

void MessageScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "message: start");
        return;
    }
    CreateFrameFromARaggedTable(app);
    SetTextOf(app.Control(IDC_INPUT), L"A|B");
    CreateFrame(app);
    const std::wstring frame = TextOf(app.Control(IDC_OUTPUT));
    CreateFrameFromATableWithoutColumns(app, frame);
    CreateFrameFromTabsThatGrowTooLong(app, frame);
}

void ClearAndFirstFocusScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "focus: start");
        return;
    }
    CreateFrame(app);
    const std::wstring frame = TextOf(app.Control(IDC_OUTPUT));
    PostMouseClick(app.Control(IDC_INPUT));
    Check(WaitUntil([&] { return TextOf(app.Control(IDC_INPUT)).empty(); }),
          "focus: the first click into INPUT clears it");
    Check(!frame.empty() && TextOf(app.Control(IDC_OUTPUT)) == frame,
          "focus: OUTPUT unchanged by the first focus");

    SetTextOf(app.Control(IDC_INPUT), L"X|Y");
    PostMouseClick(app.Control(IDC_OUTPUT));
    WaitUntil([&] { return app.FocusedWindow() == app.Control(IDC_OUTPUT); });
    PostMouseClick(app.Control(IDC_INPUT));
    Check(WaitUntil([&] { return app.FocusedWindow() == app.Control(IDC_INPUT); }),
          "focus: a later click focuses INPUT");
    Check(TextOf(app.Control(IDC_INPUT)) == L"X|Y", "focus: ...and leaves its text alone");

    Click(app.Control(IDC_CLEAR));
    Check(TextOf(app.Control(IDC_INPUT)).empty(), "clear: CLEAR empties INPUT");
    Check(TextOf(app.Control(IDC_OUTPUT)) == frame, "clear: CLEAR leaves OUTPUT");
}

void KeyboardScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "tab: start");
        return;
    }
    PostKey(app.Control(IDC_CREATE_FRAME), VK_TAB);
    WaitUntil([&] { return app.FocusedWindow() == app.Control(IDC_CLEAR); });
    PostKey(app.Control(IDC_CLEAR), VK_TAB);
    Check(WaitUntil([&] { return app.FocusedWindow() == app.Control(IDC_INPUT); }),
          "tab: Tab, Tab reaches INPUT (tab order CREATE FRAME, CLEAR, INPUT)");
    Check(WaitUntil([&] { return TextOf(app.Control(IDC_INPUT)).empty(); }),
          "tab: entering INPUT by Tab clears it");

    SetForegroundWindow(app.Main());
    TypeChord(VK_MENU, 'S');
    HWND setting = app.WaitForWindow(L"SETTING", app.Main());
    Check(setting != nullptr, "keys: Alt+S opens SETTING");
    SetForegroundWindow(app.Main());
    WaitUntil([&] { return GetForegroundWindow() == app.Main(); }, 3000);
    TypeChord(VK_MENU, 'E');
    Check(app.WaitForExit(), "keys: Alt+E is EXIT");
}

void CopyScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "copy: start");
        return;
    }
    PutUnicodeOnClipboard(L"former content");
    PostClick(app.Control(IDC_COPY));
    Sleep(500);
    Check(app.FindWindowByCaption(kCaption) == nullptr, "copy: empty OUTPUT shows no message");
    Check(UnicodeOnClipboard() == L"former content", "copy: empty OUTPUT leaves the clipboard");

    SetTextOf(app.Control(IDC_INPUT), kTable);
    CreateFrame(app);
    const std::string frame = ShiftJisOf(app.Control(IDC_OUTPUT));
    HWND box = PostClickForMessage(app, IDC_COPY, kCaption);
    Check(box != nullptr && MessageTextOf(box) == L"Copy completed!!",
          "copy: \"Copy completed!!\" in a box \"zen tabrix\"");
    Check(box != nullptr && HasIcon(box), "copy: the message has an icon");
    if (box != nullptr) {
        CloseAndWait(app, box, kCaption);
    }
    const ClipboardText copied = TextOnClipboard();
    Check(!frame.empty() && copied.bytes == frame && copied.terminated,
          "copy: CF_TEXT holds exactly the OUTPUT bytes and a NUL");
    Check(UnicodeOnClipboard() == TextOf(app.Control(IDC_OUTPUT)),
          "copy: CF_UNICODETEXT holds the same text");
    Check(LocaleOnClipboard() == 0x0411, "copy: CF_LOCALE is 0x0411");

    PostChar(app.Control(IDC_OUTPUT), L'Z');
    WaitUntil([&] { return ShiftJisOf(app.Control(IDC_OUTPUT)) != frame; });
    box = PostClickForMessage(app, IDC_COPY, kCaption);
    if (box != nullptr) {
        CloseAndWait(app, box, kCaption);
    }
    Check(TextOnClipboard().bytes == frame,
          "copy: text typed into OUTPUT since the last exchange is not copied");
}

void AboutScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "about: start");
        return;
    }
    PostMessageW(app.Main(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = app.WaitForWindow(kAboutCaption, app.Main());
    Check(about != nullptr, "about: the system-menu command opens the About box");
    if (about == nullptr) {
        return;
    }
    Check(!Enabled(app.Main()), "about: the main window is disabled meanwhile");
    Check(SameCentre(WindowRect(about), WindowRect(app.Main())),
          "about: centred over the main window");
    PostClick(GetDlgItem(about, IDOK));
    Check(app.WaitForNoWindow(kAboutCaption), "about: OK closes it");
    Check(WaitUntil([&] { return Enabled(app.Main()); }), "about: the main window is usable again");
}

void InputLimitScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "limit: start");
        return;
    }
    HWND input = app.Control(IDC_INPUT);
    PostMouseClick(input);  // spends the first-focus clear
    WaitUntil([&] { return TextOf(input).empty(); });

    SetTextOf(input, std::wstring(4095, L'a'));
    SendMessageW(input, EM_SETSEL, 4095, 4095);
    PostChar(input, L'あ');
    PostChar(input, L'b');
    WaitUntil([&] { return TextOf(input).size() != 4095; });
    Check(TextOf(input) == std::wstring(4095, L'a') + L"b",
          "limit: a two-byte character that would pass 4096 bytes is refused, a byte fits");

    PutUnicodeOnClipboard(L"あいう");
    SetTextOf(input, std::wstring(4093, L'a'));
    SendMessageW(input, EM_SETSEL, 4093, 4093);
    PostMessageW(input, WM_PASTE, 0, 0);
    WaitUntil([&] { return TextOf(input).size() != 4093; });
    Check(TextOf(input) == std::wstring(4093, L'a') + L"あ",
          "limit: a paste is cut to whole characters within 4096 bytes");

    SetForegroundWindow(app.Main());
    const struct {
        WORD modifier;
        WORD key;
        const char* name;
    } chords[] = {{VK_CONTROL, 'V', "Ctrl+V"}, {VK_SHIFT, VK_INSERT, "Shift+Insert"}};
    for (const auto& chord : chords) {
        SetTextOf(input, std::wstring(4093, L'a'));
        SendMessageW(input, EM_SETSEL, 4093, 4093);
        TypeChord(chord.modifier, chord.key);
        WaitUntil([&] { return TextOf(input).size() != 4093; }, 3000);
        Check(TextOf(input) == std::wstring(4093, L'a') + L"あ",
              std::string("limit: ") + chord.name + " pastes within 4096 bytes");
    }

    SetTextOf(input, std::wstring(4097, L'a'));
    HWND box = PostClickForMessage(app, IDOK, L"Zentab");
    Check(box != nullptr && MessageTextOf(box) == L"4096 文字以内で入力してください。",
          "limit: EXIT with 4097 bytes in INPUT shows the length message");
    Check(box != nullptr && HasIcon(box), "limit: the length message has an icon");
    if (box == nullptr) {
        return;
    }
    CloseMessageBox(box);
    Check(WaitUntil([&] { return app.FocusedWindow() == input; }),
          "limit: then INPUT has the focus");
    const LRESULT selection = SendMessageW(input, EM_GETSEL, 0, 0);
    Check(LOWORD(selection) == 0 && HIWORD(selection) == 4097, "limit: ...with all text selected");
    Check(!app.WaitForExit(300), "limit: the dialog stays open");
}

void ExitScenario(const std::wstring& exe) {
    Session app(exe);
    if (!app.Started()) {
        Check(false, "exit: start");
        return;
    }
    PostClick(app.Control(IDOK));
    Check(app.WaitForExit(), "exit: EXIT ends the application");
}
