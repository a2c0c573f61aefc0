// rename() within one folder is atomic on POSIX file systems; fsync first so
// the new name can never point at blocks the disk has not received yet.
#include "system/file_replace.h"

#include "system/posix/file_descriptor.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr mode_t kNewFileMode = 0644;

bool writeAll(int fd, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

bool writeTemporary(const std::string& temporary, const std::string& contents) {
    keslFileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode));
    if (file.get() < 0) return false;
    if (!writeAll(file.get(), contents)) return false;
    if (::fsync(file.get()) != 0) return false;
    return file.close();
}

}  // namespace

std::string temporaryPathFor(const std::string& path) { return path + ".tmp" + std::to_string(::getpid()); }

bool replaceFileContents(const std::string& path, const std::string& contents, std::string& errorText) {
    const std::string temporary = temporaryPathFor(path);
    if (writeTemporary(temporary, contents) && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    errorText = std::strerror(errno);
    ::unlink(temporary.c_str());
    return false;
}
