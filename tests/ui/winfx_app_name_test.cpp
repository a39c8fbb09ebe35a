#include <gtest/gtest.h>

#include "winfx/app.h"

namespace {

TEST(NameFromModulePath, TakesTheFileNameWithoutItsExtension) {
    const struct {
        const wchar_t* path;
        const wchar_t* name;
    } cases[] = {
        {L"C:\\Program Files\\Tool\\Tool.EXE", L"Tool"},
        {L"C:/build/ui/Tool.exe", L"Tool"},
        {L"Tool.exe", L"Tool"},
        {L"C:\\a.b\\Tool", L"Tool"},
        {L"C:\\dir\\my.tool.exe", L"my.tool"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(winfx::NameFromModulePath(c.path), c.name) << c.path;
    }
}

}  // namespace
