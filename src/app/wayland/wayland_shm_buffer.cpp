#include "app/wayland/wayland_shm_buffer.h"

#include "system/posix/file_descriptor.h"

#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

keslWaylandShmBuffer::keslWaylandShmBuffer(wl_shm* shm, int width, int height)
    : m_width(width), m_height(height),
      m_bytes(static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(keslPixel)) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (width <= 0 || height <= 0) {
        m_failure = "no frame can be " + size;
        return;
    }
    const keslFileDescriptor fd(memfd_create("orvanel-frame", MFD_CLOEXEC));
    if (fd.get() < 0 || ftruncate(fd.get(), static_cast<off_t>(m_bytes)) != 0) {
        m_failure = "no shared memory for a " + size + " frame: " + std::strerror(errno);
        return;
    }
    void* memory = mmap(nullptr, m_bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd.get(), 0);
    if (memory == MAP_FAILED) {
        m_failure = "cannot map a " + size + " frame: " + std::strerror(errno);
        return;
    }
    m_pixels = static_cast<keslPixel*>(memory);
    // The buffer keeps the pool's memory alive in the compositor.
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd.get(), static_cast<int32_t>(m_bytes));
    m_buffer.reset(wl_shm_pool_create_buffer(pool, 0, width, height, width * static_cast<int>(sizeof(keslPixel)),
                                             WL_SHM_FORMAT_XRGB8888));
    wl_shm_pool_destroy(pool);
    static const wl_buffer_listener listener = {&keslWaylandShmBuffer::onRelease};
    wl_buffer_add_listener(m_buffer.get(), &listener, this);
}

keslWaylandShmBuffer::~keslWaylandShmBuffer() {
    m_buffer.reset();
    if (m_pixels) munmap(m_pixels, m_bytes);
}

void keslWaylandShmBuffer::onRelease(void* data, wl_buffer*) { static_cast<keslWaylandShmBuffer*>(data)->m_busy = false; }
