#include "dialog_template.h"

#include <cstring>

namespace {

class Reader {
  public:
    explicit Reader(const BYTE* data) : m_start(data), m_at(data) {}

    template <typename T>
    T Read() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    std::wstring String() {
        std::wstring text;
        for (wchar_t unit = Read<wchar_t>(); unit != L'\0'; unit = Read<wchar_t>()) {
            text.push_back(unit);
        }
        return text;
    }
    // A string, or 0xFFFF and an ordinal, or 0 for nothing.
    std::wstring StringOrOrdinal() {
        const WORD first = Peek();
        if (first == 0xFFFF) {
            Read<WORD>();
            return L"#" + std::to_wstring(Read<WORD>());
        }
        return String();
    }
    void AlignToDword() {
        while ((m_at - m_start) % 4 != 0) {
            ++m_at;
        }
    }
    void Skip(size_t bytes) { m_at += bytes; }

  private:
    WORD Peek() const {
        WORD value;
        std::memcpy(&value, m_at, sizeof value);
        return value;
    }
    const BYTE* m_start;
    const BYTE* m_at;
};

TemplateItem ReadItem(Reader& reader) {
    reader.AlignToDword();
    TemplateItem item{};
    reader.Read<DWORD>();  // help id
    item.exStyle = reader.Read<DWORD>();
    item.style = reader.Read<DWORD>();
    item.x = reader.Read<short>();
    item.y = reader.Read<short>();
    item.cx = reader.Read<short>();
    item.cy = reader.Read<short>();
    item.id = reader.Read<int32_t>();
    item.className = reader.StringOrOrdinal();
    item.title = reader.StringOrOrdinal();
    reader.Skip(reader.Read<WORD>());
    return item;
}

}  // namespace

DialogTemplate LoadDialogTemplate(int id) {
    DialogTemplate result;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (resource == nullptr) {
        return result;
    }
    Reader reader(static_cast<const BYTE*>(LockResource(LoadResource(module, resource))));
    if (reader.Read<WORD>() != 1 || reader.Read<WORD>() != 0xFFFF) {
        return result;  // not an extended template
    }
    reader.Read<DWORD>();  // help id
    result.exStyle = reader.Read<DWORD>();
    result.style = reader.Read<DWORD>();
    const WORD itemCount = reader.Read<WORD>();
    result.x = reader.Read<short>();
    result.y = reader.Read<short>();
    result.cx = reader.Read<short>();
    result.cy = reader.Read<short>();
    reader.StringOrOrdinal();  // menu
    reader.StringOrOrdinal();  // class
    result.title = reader.String();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.Read<WORD>();
        reader.Read<WORD>();  // weight
        reader.Read<BYTE>();  // italic
        reader.Read<BYTE>();  // charset
        result.typeface = reader.String();
    }
    for (WORD i = 0; i < itemCount; ++i) {
        result.items.push_back(ReadItem(reader));
    }
    result.found = true;
    return result;
}
