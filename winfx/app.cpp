#include "winfx/app.h"

#include "winfx/message_loop.h"

namespace winfx {

namespace {
App* g_currentApp = nullptr;
}

App::App() {
    g_currentApp = this;
}

App::~App() {
    if (g_currentApp == this) {
        g_currentApp = nullptr;
    }
}

App* App::Current() {
    return g_currentApp;
}

HINSTANCE App::Instance() const {
    return GetModuleHandleW(nullptr);
}

const std::wstring& App::Name() const {
    if (m_name.empty()) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        m_name = NameFromModulePath(path);
    }
    return m_name;
}

std::wstring NameFromModulePath(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

int RunApp() {
    App* app = App::Current();
    if (app == nullptr || !app->InitInstance()) {
        return 0;
    }
    return RunMessageLoop();
}

}  // namespace winfx
