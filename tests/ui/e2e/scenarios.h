// The end-to-end scenarios, each on a fresh Zentab.exe.
#pragma once

#include <windows.h>

#include <string>

void StartUpScenario(const std::wstring& exe);
void SettingScenario(const std::wstring& exe);
void MessageScenario(const std::wstring& exe);
void ClearAndFirstFocusScenario(const std::wstring& exe);
void KeyboardScenario(const std::wstring& exe);
void CopyScenario(const std::wstring& exe);
void AboutScenario(const std::wstring& exe);
void InputLimitScenario(const std::wstring& exe);
void ExitScenario(const std::wstring& exe);
void UnholdableTextScenario(const std::wstring& exe);
void DpiScenario(const std::wstring& exe, UINT dpi);
