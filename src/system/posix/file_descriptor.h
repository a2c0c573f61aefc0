// An open file descriptor, closed however its owner's work ends. close()
// closes it early for a caller that must know whether that worked: a
// failing close can mean a lost write.
#pragma once

#include <unistd.h>

class keslFileDescriptor {
public:
    explicit keslFileDescriptor(int fd) : m_fd(fd) {}
    ~keslFileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    keslFileDescriptor(const keslFileDescriptor&) = delete;
    keslFileDescriptor& operator=(const keslFileDescriptor&) = delete;

    int get() const { return m_fd; }
    // False when the close failed (or there was nothing to close).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 && ::close(fd) == 0;
    }

private:
    int m_fd;
};
