// A small reader of a 64-bit Windows program file: the DLLs and functions it
// imports, and its embedded application manifest.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct PeImage {
    bool valid = false;
    // Lower-case DLL name to the functions imported from it by name.
    std::map<std::string, std::set<std::string>> imports;
    std::vector<std::string> delayLoaded;
};

PeImage ReadPeImage(const std::vector<unsigned char>& file);
std::vector<unsigned char> ReadWholeFile(const std::wstring& path);

// The RT_MANIFEST resource 1 of a program file, empty when it has none.
std::string ManifestOf(const std::wstring& path);
