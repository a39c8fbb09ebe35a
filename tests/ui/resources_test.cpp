#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_template.h"
#include "ui/resource.h"

namespace {

constexpr DWORD kButton = 0x80;
constexpr DWORD kEdit = 0x81;
constexpr DWORD kStatic = 0x82;

bool HasStyle(DWORD style, DWORD bits) {
    return (style & bits) == bits;
}

// A predefined class is stored as its ordinal or by its name.
bool IsClass(const std::wstring& stored, DWORD ordinal) {
    if (stored == L"#" + std::to_wstring(ordinal)) {
        return true;
    }
    const wchar_t* name = ordinal == kButton ? L"button" : ordinal == kEdit ? L"edit" : L"static";
    return lstrcmpiW(stored.c_str(), name) == 0;
}

struct ExpectedControl {
    int32_t id;
    DWORD windowClass;
    const wchar_t* title;
    short x, y, cx, cy;
    DWORD style;  // bits that must be set
};

// Compares the controls, in template order, with the expected ones.
void ExpectControls(const DialogTemplate& dialog, const std::vector<ExpectedControl>& expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const TemplateItem& item = dialog.items[i];
        const ExpectedControl& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
        EXPECT_EQ(item.id, want.id);
        EXPECT_TRUE(IsClass(item.className, want.windowClass)) << item.className.size();
        EXPECT_EQ(item.title, want.title);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_TRUE(HasStyle(item.style, want.style | WS_CHILD | WS_VISIBLE))
            << std::hex << item.style;
    }
}

TEST(Resources, MainDialog) {
    const DialogTemplate dialog = LoadDialogTemplate(IDD_MAIN);
    ASSERT_TRUE(dialog.found);
    EXPECT_EQ(dialog.title, L"Zentab");
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 262);
    EXPECT_EQ(dialog.cy, 266);
    EXPECT_TRUE(HasStyle(dialog.style, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                           WS_MINIMIZEBOX | DS_MODALFRAME));
    EXPECT_FALSE(dialog.style & (WS_MAXIMIZEBOX | WS_THICKFRAME | DS_CENTER));
    EXPECT_TRUE(HasStyle(dialog.exStyle, WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.typeface, L"ＭＳ ゴシック");
    EXPECT_EQ(dialog.pointSize, 9);
    const DWORD box =
        ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP;
    ExpectControls(dialog,
                   {
                       {1005, kButton, L"CREATE FRAME(&F)", 133, 115, 121, 14,
                        BS_DEFPUSHBUTTON | BS_MULTILINE | WS_TABSTOP},
                       {1010, kButton, L"CLEAR", 214, 3, 41, 10, WS_TABSTOP},
                       {1000, kEdit, L"", 7, 15, 248, 98, box},
                       {1015, kButton, L"SETTING(&S)", 8, 115, 121, 14, WS_TABSTOP},
                       {1001, kEdit, L"", 7, 143, 248, 98, box | ES_AUTOHSCROLL},
                       {1009, kButton, L"COPY TO CLIPBOARD(&C)", 8, 245, 121, 14, WS_TABSTOP},
                       {1, kButton, L"EXIT(&E)", 133, 245, 121, 14, WS_TABSTOP},
                       {-1, kStatic, L"INPUT", 9, 6, 151, 8, SS_LEFT | WS_GROUP},
                       {-1, kStatic, L"OUTPUT", 9, 133, 30, 8, SS_LEFT | WS_GROUP},
                   });
    for (int index : {2, 4}) {
        EXPECT_FALSE(dialog.items[static_cast<size_t>(index)].style & ES_READONLY);
    }
}

TEST(Resources, AboutBox) {
    const DialogTemplate dialog = LoadDialogTemplate(IDD_ABOUTBOX);
    ASSERT_TRUE(dialog.found);
    EXPECT_EQ(dialog.title, L"Zentabのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(dialog.cx, 235);
    EXPECT_EQ(dialog.cy, 55);
    EXPECT_TRUE(HasStyle(dialog.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_FALSE(dialog.style & (WS_VISIBLE | DS_CENTER));
    EXPECT_EQ(dialog.typeface, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog.pointSize, 9);
    ASSERT_EQ(dialog.items.size(), 4u);
    EXPECT_EQ(dialog.items[0].title, L"#128");
    EXPECT_TRUE(HasStyle(dialog.items[0].style, SS_ICON));
    EXPECT_EQ(dialog.items[0].x, 11);
    EXPECT_EQ(dialog.items[0].cx, 20);
    EXPECT_EQ(dialog.items[1].title, L"Zentab Version 1.22");
    EXPECT_TRUE(HasStyle(dialog.items[1].style, SS_NOPREFIX | WS_GROUP));
    EXPECT_TRUE(HasStyle(dialog.items[2].style, WS_GROUP));
    EXPECT_EQ(dialog.items[2].y, 25);
    EXPECT_EQ(dialog.items[3].id, IDOK);
    EXPECT_EQ(dialog.items[3].title, L"OK");
    EXPECT_TRUE(HasStyle(dialog.items[3].style, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP));
}

struct ExpectedRadio {
    int32_t id;
    const wchar_t* title;
    short x, y, cx, cy;
};

const ExpectedRadio kRadios[] = {
    {1004, L"┏┳┳┓\r\n┣╋╋┫\r\n┣╋╋┫\r\n┣╋╋┫\r\n┗┻┻┛\r\n type 1", 11, 24, 46, 49},
    {1008, L"┌┬┬┐\r\n├┼┼┤\r\n├┼┼┤\r\n├┼┼┤\r\n└┴┴┘\r\n type 2", 11, 86, 46, 49},
    {1006, L"┏┯┯┓\r\n┣┿┿┫\r\n┠┼┼┨\r\n┠┼┼┨\r\n┗┷┷┛\r\n type 3", 11, 148, 46, 49},
    {1011, L"┏┳┯┓\r\n┠╂┼┨\r\n┠╂┼┨\r\n┠╂┼┨\r\n┗┻┷┛\r\n type 4", 11, 210, 46, 49},
    {1007, L"┏┳┯┓\r\n┣╋┿┫\r\n┠╂┼┨\r\n┠╂┼┨\r\n┗┻┷┛\r\n type 5", 11, 272, 46, 49},
    {1012, L"+-+-+-+\r\n| | | |\r\n+-+-+-+\r\n| | | |\r\n+-+-+-+\r\n type 6", 11, 334, 46, 49},
    {1013, L"┏━┳━┓\r\n┃←┃←┃\r\n┣━╋━┫\r\n┃←┃←┃\r\n┗━┻━┛\r\n  type A", 68, 22, 55, 46},
    {1014, L"┏━┳━┓\r\n┃→┃→┃\r\n┣━╋━┫\r\n┃→┃→┃\r\n┗━┻━┛\r\n  type B", 68, 72, 55, 46},
    {1016, L"┏━┳━┓\r\n┃⇔┃⇔┃\r\n┣━╋━┫\r\n┃⇔┃⇔┃\r\n┗━┻━┛\r\n  type C", 68, 122, 55, 46},
    {1017, L"┏━┳━┓\r\n┃←┃←┃\r\n┣━╋━┫\r\n┃→┃→┃\r\n┗━┻━┛\r\n  type D", 68, 172, 55, 46},
    {1020, L"┏━┳━┓\r\n┃←┃←┃\r\n┣━╋━┫\r\n┃⇔┃⇔┃\r\n┗━┻━┛\r\n  type E", 68, 222, 55, 46},
    {1021, L"┏━┳━┓\r\n┃⇔┃⇔┃\r\n┣━╋━┫\r\n┃←┃←┃\r\n┗━┻━┛\r\n  type F", 68, 272, 55, 46},
    {1015, L"┏━┳━┓\r\n┃⇔┃⇔┃\r\n┣━╋━┫\r\n┃→┃→┃\r\n┗━┻━┛\r\n  type G", 68, 322, 55, 46},
    {1018, L"┏━┳━┓\r\n┃←┃→┃\r\n┣━╋━┫\r\n┃←┃→┃\r\n┗━┻━┛\r\n  type H", 68, 372, 55, 46},
    {1019, L"┏━┳━┓\r\n┃←┃⇔┃\r\n┣━╋━┫\r\n┃←┃⇔┃\r\n┗━┻━┛\r\n  type I", 68, 422, 55, 46},
    {1022, L"┏━┳━┓\r\n┃⇔┃←┃\r\n┣━╋━┫\r\n┃⇔┃←┃\r\n┗━┻━┛\r\n  type J", 124, 22, 55, 46},
    {1023, L"┏━┳━┓\r\n┃⇔┃→┃\r\n┣━╋━┫\r\n┃⇔┃→┃\r\n┗━┻━┛\r\n  type K", 124, 72, 55, 46},
    {1024, L"┏━┳━┓\r\n┃←┃←┃\r\n┣━╋━┫\r\n┃←┃→┃\r\n┗━┻━┛\r\n  type L", 124, 122, 55, 46},
    {1025, L"┏━┳━┓\r\n┃←┃←┃\r\n┣━╋━┫\r\n┃←┃⇔┃\r\n┗━┻━┛\r\n  type M", 124, 172, 55, 46},
    {1026, L"┏━┳━┓\r\n┃⇔┃⇔┃\r\n┣━╋━┫\r\n┃⇔┃←┃\r\n┗━┻━┛\r\n  type N", 124, 222, 55, 46},
    {1027, L"┏━┳━┓\r\n┃⇔┃⇔┃\r\n┣━╋━┫\r\n┃⇔┃→┃\r\n┗━┻━┛\r\n  type O", 124, 272, 55, 46},
    {1028, L"┏━┳━┓\r\n┃←┃⇔┃\r\n┣━╋━┫\r\n┃←┃←┃\r\n┗━┻━┛\r\n  type P", 124, 322, 55, 46},
    {1029, L"┏━┳━┓\r\n┃←┃⇔┃\r\n┣━╋━┫\r\n┃←┃→┃\r\n┗━┻━┛\r\n  type Q", 124, 372, 55, 46},
};

TEST(Resources, SettingDialog) {
    const DialogTemplate dialog = LoadDialogTemplate(IDD_SETTING);
    ASSERT_TRUE(dialog.found);
    EXPECT_EQ(dialog.title, L"SETTING");
    EXPECT_EQ(dialog.cx, 187);
    EXPECT_EQ(dialog.cy, 505);
    EXPECT_TRUE(HasStyle(dialog.style,
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME));
    EXPECT_FALSE(dialog.style & (WS_VISIBLE | DS_CENTER));
    EXPECT_EQ(dialog.typeface, L"ＭＳ ゴシック");
    EXPECT_EQ(dialog.pointSize, 8);

    std::vector<ExpectedControl> expected;
    for (const ExpectedRadio& radio : kRadios) {
        expected.push_back({radio.id, kButton, radio.title, radio.x, radio.y, radio.cx, radio.cy,
                            BS_AUTORADIOBUTTON | BS_MULTILINE});
    }
    expected.push_back({IDOK, kButton, L"OK", 29, 482, 133, 14, WS_TABSTOP});
    expected.push_back({-1, kButton, L"FRAME TYPE", 6, 7, 53, 382, BS_GROUPBOX});
    expected.push_back({-1, kButton, L"POSITION TYPE", 65, 7, 115, 472, BS_GROUPBOX});
    ExpectControls(dialog, expected);

    for (size_t i = 0; i < 23 && i < dialog.items.size(); ++i) {
        const TemplateItem& radio = dialog.items[i];
        EXPECT_EQ((radio.style & BS_TYPEMASK), static_cast<DWORD>(BS_AUTORADIOBUTTON));
        EXPECT_FALSE(radio.style & (WS_TABSTOP | BS_PUSHLIKE)) << radio.id;
        const bool groupStart = radio.id == IDC_FRAME_TYPE1 || radio.id == IDC_POSITION_A;
        EXPECT_EQ((radio.style & WS_GROUP) != 0, groupStart) << radio.id;
    }
}

TEST(Resources, SystemMenuTextAndIcon) {
    wchar_t text[128] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 128);
    EXPECT_STREQ(text, L"Zentab のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_EQ(IDM_ABOUTBOX, 16);

    HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* header = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    EXPECT_EQ(header[4] | (header[5] << 8), 1);    // one image
    EXPECT_EQ(header[6], 32);                      // width
    EXPECT_EQ(header[7], 32);                      // height
    EXPECT_EQ(header[12] | (header[13] << 8), 8);  // bits per pixel: 256 colours
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
}

std::wstring VersionString(const std::vector<BYTE>& info, const std::wstring& name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\041104B0\\" + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return L"(none)";
    }
    return value;
}

TEST(Resources, VersionBlock) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } cases[] = {
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"ProductVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Zentab"},
        {L"OriginalFilename", L"Zentab.EXE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VersionString(info, c.name), c.value);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
}

}  // namespace
