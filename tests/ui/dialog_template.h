// Reads an extended dialog template from the resources linked into the test
// program, to compare it with what the windows must look like.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    int32_t id;
    std::wstring className;  // "#128" style for a predefined class ordinal
    std::wstring title;      // "#n" for an ordinal, such as an icon's resource id
};

struct DialogTemplate {
    bool found = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<TemplateItem> items;
};

DialogTemplate LoadDialogTemplate(int id);
