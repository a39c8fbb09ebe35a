// Checks the built Zentab.exe itself: what its manifest asks of Windows and
// which DLLs it makes the loader find. Usage: zentab_exe_tests <Zentab.exe>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pe_image.h"

namespace {

std::wstring g_exe;

// The loader takes these from the system folder whatever lies beside the
// program: the KnownDLLs of Windows 7 to 11, which Zentab may need.
const std::set<std::string> kKnownDlls = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll",    "imm32.dll",  "kernel32.dll",
    "msvcrt.dll",   "ole32.dll",    "oleaut32.dll", "rpcrt4.dll", "shell32.dll",
    "shlwapi.dll",  "user32.dll",   "ws2_32.dll",
};

bool IsApiSet(const std::string& dll) {
    return dll.rfind("api-ms-win-", 0) == 0;
}

class ExeImage : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        image = ReadPeImage(ReadWholeFile(g_exe));
        manifest = ManifestOf(g_exe);
    }
    static PeImage image;
    static std::string manifest;
};

PeImage ExeImage::image;
std::string ExeImage::manifest;

TEST_F(ExeImage, ManifestAsksForWhatTheProgramNeeds) {
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    const struct {
        const char* text;
        const char* why;
    } required[] = {
        {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
         "Common Controls 6 dependency"},
        {"publicKeyToken=\"6595b64144ccf1df\"", "the system's signed Common Controls"},
        {">PerMonitorV2", "dpiAwareness PerMonitorV2"},
        {">true/pm</dpiAware>", "dpiAware fallback for older systems"},
        {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "supportedOS Windows 7"},
        {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "supportedOS Windows 8"},
        {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "supportedOS Windows 8.1"},
        {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "supportedOS Windows 10 and 11"},
        {"level=\"asInvoker\"", "runs without elevation"},
    };
    for (const auto& item : required) {
        EXPECT_NE(manifest.find(item.text), std::string::npos) << item.why;
    }
    EXPECT_EQ(manifest.find("<activeCodePage"), std::string::npos)
        << "the texts are code page 932 on purpose, never the UTF-8 ANSI code page";
}

TEST_F(ExeImage, EveryImportComesFromTheSystemFolder) {
    ASSERT_TRUE(image.valid);
    ASSERT_FALSE(image.imports.empty());
    const bool commonControls6 =
        manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos;
    for (const auto& [dll, functions] : image.imports) {
        if (dll == "comctl32.dll") {
            EXPECT_TRUE(commonControls6) << "comctl32.dll imported without the manifest dependency";
            continue;
        }
        EXPECT_TRUE(kKnownDlls.count(dll) == 1 || IsApiSet(dll))
            << dll << " is not a KnownDLL: one planted beside the program would load";
    }
    EXPECT_TRUE(image.delayLoaded.empty());
}

TEST_F(ExeImage, NewerFunctionsAreLookedUpNotImported) {
    // Imported, any of these would keep the program from starting on Windows 7.
    const struct {
        const char* dll;
        const char* function;
    } newer[] = {
        {"kernel32.dll", "SetDefaultDllDirectories"},
        {"user32.dll", "GetDpiForWindow"},
        {"user32.dll", "GetSystemMetricsForDpi"},
        {"user32.dll", "SetProcessDpiAwarenessContext"},
    };
    for (const auto& item : newer) {
        const auto dll = image.imports.find(item.dll);
        EXPECT_TRUE(dll == image.imports.end() || dll->second.count(item.function) == 0)
            << item.function;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zentab_exe_tests <Zentab.exe>\n");
        return 2;
    }
    g_exe = argv[1];
    return RUN_ALL_TESTS();
}
