// Leaves a Zentab.exe running with a frame in OUTPUT and the SETTING window
// beside the main window, for a screenshot; prints the area they cover.
#pragma once

#include <string>

int PoseForScreenshot(const std::wstring& exe);
