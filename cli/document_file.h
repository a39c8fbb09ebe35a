// A document file read for zentab fmt, and written back in its place so that
// nothing is ever half written and a file changed meanwhile is left alone.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "text/large_buffers.h"

struct DocumentFile {
    std::string target;  // the file a symbolic link names, resolved
    LargeString bytes;
    std::string error;      // why it cannot be read, without its name
    bool tooLarge = false;  // bigger than the limit: bytes is empty
    int64_t size = 0;
    // What tells a file changed since it was read, with the bytes.
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

DocumentFile read_document_file(const std::string& path, size_t limit);

// Replaces the file's bytes with text through a temporary file beside it,
// synced and renamed over it, with its mode (and owner where allowed) kept.
// Returns "" or why the file was left as it was.
std::string replace_document_file(const DocumentFile& file, std::string_view text);
