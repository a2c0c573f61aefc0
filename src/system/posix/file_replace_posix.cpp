// rename() within one folder is atomic on POSIX file systems; fsync first so
// the new name can never point at blocks the disk has not received yet.
#include "system/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr mode_t kNewFileMode = 0644;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now so that a failing close is seen; false on failure.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

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
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode));
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
