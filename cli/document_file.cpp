#include "cli/document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "cli/stream_io.h"

namespace {

std::string why(const char* doing, int error) {
    return std::string(doing) + ": " + std::strerror(error);
}

std::string resolved(const std::string& path) {
    std::unique_ptr<char, void (*)(void*)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

void note_state(const struct stat& info, DocumentFile& file) {
    file.size = static_cast<int64_t>(info.st_size);
    file.device = info.st_dev;
    file.inode = info.st_ino;
    file.modified = info.st_mtim;
    file.mode = info.st_mode;
    file.owner = info.st_uid;
    file.group = info.st_gid;
}

void read_open_file(int fd, size_t limit, DocumentFile& file) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        file.error = why("cannot read", errno);
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        file.error = "cannot read: not a regular file";
        return;
    }
    note_state(info, file);
    if (static_cast<uint64_t>(info.st_size) > limit) {
        file.tooLarge = true;
        return;
    }
    const int error = read_up_to(fd, limit, file.bytes);
    if (error != 0) {
        file.error = why("cannot read", error);
    } else if (file.bytes.size() > limit) {
        // Grown since fstat.
        file.tooLarge = true;
        file.size = static_cast<int64_t>(file.bytes.size());
        file.bytes = LargeString();
    }
}

// Unchanged since it was read: the same file, size, time and bytes.
bool unchanged(const DocumentFile& file) {
    const int fd = open(file.target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    LargeString now;
    const bool same = fstat(fd, &info) == 0 && info.st_dev == file.device &&
                      info.st_ino == file.inode &&
                      static_cast<int64_t>(info.st_size) == file.size &&
                      info.st_mtim.tv_sec == file.modified.tv_sec &&
                      info.st_mtim.tv_nsec == file.modified.tv_nsec &&
                      read_up_to(fd, file.bytes.size(), now) == 0 && now == file.bytes;
    close(fd);
    return same;
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The temporary file's name, hidden beside the file it replaces.
std::string temporary_name(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder_of(target) + "/." + base + ".zentab-XXXXXX";
}

// Writes text to a new file with file's mode; "" or why not. The name made
// goes to name, to be removed on any failure.
std::string write_temporary(const DocumentFile& file, std::string_view text, std::string& name) {
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        name.clear();
        return why("cannot write", errno);
    }
    std::string error = write_all(fd, text);
    if (error.empty() && fchmod(fd, file.mode & 07777) != 0) {
        error = std::strerror(errno);
    }
    // Another's file stays theirs where the system lets it; otherwise it
    // becomes the writer's, as an editor's save would make it.
    if (error.empty() && fchown(fd, file.owner, file.group) != 0 && errno != EPERM) {
        error = std::strerror(errno);
    }
    if (error.empty() && fsync(fd) != 0) {
        error = std::strerror(errno);
    }
    if (close(fd) != 0 && error.empty()) {
        error = std::strerror(errno);
    }
    return error.empty() ? error : "cannot write: " + error;
}

// The rename itself reaches the disk with the folder.
void sync_folder(const std::string& target) {
    const int fd = open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

DocumentFile read_document_file(const std::string& path, size_t limit) {
    DocumentFile file;
    file.target = resolved(path);
    if (file.target.empty()) {
        file.error = why("cannot read", errno);
        return file;
    }
    const int fd = open(file.target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        file.error = why("cannot read", errno);
        return file;
    }
    read_open_file(fd, limit, file);
    close(fd);
    return file;
}

std::string replace_document_file(const DocumentFile& file, std::string_view text) {
    std::string name = temporary_name(file.target);
    std::string error = write_temporary(file, text, name);
    if (error.empty() && !unchanged(file)) {
        error = "changed while it was being formatted; left as it is";
    }
    if (error.empty() && rename(name.c_str(), file.target.c_str()) != 0) {
        error = why("cannot write", errno);
    }
    if (!error.empty()) {
        if (!name.empty()) {
            unlink(name.c_str());
        }
        return error;
    }
    sync_folder(file.target);
    return {};
}
