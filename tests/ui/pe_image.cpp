#include "pe_image.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr uint16_t kPe32Plus = 0x20B;
constexpr uint64_t kOrdinalFlag = 1ULL << 63;

class Reader {
  public:
    explicit Reader(const std::vector<unsigned char>& file) : m_file(file) {}

    template <typename T>
    T At(size_t offset) const {
        T value{};
        if (offset + sizeof(T) <= m_file.size()) {
            std::memcpy(&value, m_file.data() + offset, sizeof(T));
        }
        return value;
    }

    std::string StringAt(size_t offset) const {
        std::string text;
        while (offset < m_file.size() && m_file[offset] != 0) {
            text += static_cast<char>(m_file[offset++]);
        }
        return text;
    }

    bool ReadHeaders() {
        const auto peOffset = At<uint32_t>(0x3C);
        if (At<uint16_t>(0) != IMAGE_DOS_SIGNATURE ||
            At<uint32_t>(peOffset) != IMAGE_NT_SIGNATURE) {
            return false;
        }
        const size_t fileHeader = peOffset + 4;
        const size_t optional = fileHeader + sizeof(IMAGE_FILE_HEADER);
        if (At<uint16_t>(optional) != kPe32Plus) {
            return false;
        }
        m_directories = optional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
        const auto sectionCount = At<uint16_t>(fileHeader + 2);
        const size_t sections = optional + At<uint16_t>(fileHeader + 16);
        for (size_t i = 0; i < sectionCount; ++i) {
            m_sections.push_back(
                At<IMAGE_SECTION_HEADER>(sections + i * sizeof(IMAGE_SECTION_HEADER)));
        }
        return true;
    }

    uint32_t DirectoryRva(int index) const {
        return At<uint32_t>(m_directories + static_cast<size_t>(index) * 8);
    }

    // The file offset of an address of the loaded image; 0 when no section has it.
    size_t OffsetOf(uint32_t rva) const {
        for (const IMAGE_SECTION_HEADER& section : m_sections) {
            const uint32_t size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        return 0;
    }

  private:
    const std::vector<unsigned char>& m_file;
    size_t m_directories = 0;
    std::vector<IMAGE_SECTION_HEADER> m_sections;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::set<std::string> FunctionsAt(const Reader& reader, uint32_t thunkRva) {
    std::set<std::string> names;
    for (size_t at = reader.OffsetOf(thunkRva); at != 0; at += 8) {
        const auto thunk = reader.At<uint64_t>(at);
        if (thunk == 0) {
            break;
        }
        if ((thunk & kOrdinalFlag) == 0) {
            names.insert(reader.StringAt(reader.OffsetOf(static_cast<uint32_t>(thunk)) + 2));
        }
    }
    return names;
}

}  // namespace

PeImage ReadPeImage(const std::vector<unsigned char>& file) {
    PeImage image;
    Reader reader(file);
    if (!reader.ReadHeaders()) {
        return image;
    }
    size_t at = reader.OffsetOf(reader.DirectoryRva(IMAGE_DIRECTORY_ENTRY_IMPORT));
    for (; at != 0; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto entry = reader.At<IMAGE_IMPORT_DESCRIPTOR>(at);
        if (entry.Name == 0) {
            break;
        }
        const uint32_t thunks =
            entry.OriginalFirstThunk != 0 ? entry.OriginalFirstThunk : entry.FirstThunk;
        image.imports[Lower(reader.StringAt(reader.OffsetOf(entry.Name)))] =
            FunctionsAt(reader, thunks);
    }
    at = reader.OffsetOf(reader.DirectoryRva(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT));
    for (; at != 0; at += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
        const auto entry = reader.At<IMAGE_DELAYLOAD_DESCRIPTOR>(at);
        if (entry.DllNameRVA == 0) {
            break;
        }
        image.delayLoaded.push_back(Lower(reader.StringAt(reader.OffsetOf(entry.DllNameRVA))));
    }
    image.valid = true;
    return image;
}

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

std::string ManifestOf(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return std::string();
    }
    std::string text;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded != nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}
