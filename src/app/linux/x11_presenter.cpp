#include "app/linux/x11_presenter.h"

#include "app/linux/x11_errors.h"
#include "system/rect_ops.h"
#include "util/log.h"

#include <algorithm>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

int nativeByteOrder() {
    const std::uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1 ? LSBFirst : MSBFirst;
}

keslVisualMasks masksOf(const Visual* visual) {
    return {static_cast<std::uint32_t>(visual->red_mask), static_cast<std::uint32_t>(visual->green_mask),
            static_cast<std::uint32_t>(visual->blue_mask)};
}

}  // namespace

keslX11Presenter::keslX11Presenter(const keslX11Target& target)
    : m_target(target), m_masks(masksOf(target.visual)), m_converter(m_masks) {
    m_gc = XCreateGC(target.display, target.window, 0, nullptr);
    if (!attachSharedImage()) makePlainImage();
    logInfo("X11 presenter: %ix%i, depth %i, %s, %s", target.width, target.height, target.depth,
            m_shared ? "MIT-SHM" : "XPutImage",
            takesRasterPixels() ? "frames drawn into the image" : "pixels converted");
}

keslX11Presenter::~keslX11Presenter() {
    releaseSharedImage();
    if (m_image) {
        // The plain image's data belongs to m_plainPixels.
        m_image->data = nullptr;
        XDestroyImage(m_image);
    }
    if (m_gc) XFreeGC(m_target.display, m_gc);
}

bool keslX11Presenter::attachSharedImage() {
    if (!XShmQueryExtension(m_target.display)) return false;
    m_image = XShmCreateImage(m_target.display, m_target.visual, static_cast<unsigned>(m_target.depth), ZPixmap,
                              nullptr, &m_segment, static_cast<unsigned>(m_target.width),
                              static_cast<unsigned>(m_target.height));
    if (!m_image) return false;
    m_segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(m_image->bytes_per_line) * m_image->height, IPC_CREAT | 0600);
    if (m_segment.shmid < 0) {
        XDestroyImage(m_image);
        m_image = nullptr;
        return false;
    }
    m_segment.shmaddr = m_image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
    m_segment.readOnly = False;
    bool attached = false;
    if (m_segment.shmaddr != reinterpret_cast<char*>(-1)) {
        // A remote server refuses the attach with an error, not a status.
        keslX11QuietErrors quiet(m_target.display);
        attached = XShmAttach(m_target.display, &m_segment) && !quiet.failed();
    }
    // Marked for removal now, so the segment goes with the process however it ends.
    shmctl(m_segment.shmid, IPC_RMID, nullptr);
    m_shared = attached;
    if (!attached) releaseSharedImage();
    return attached;
}

void keslX11Presenter::releaseSharedImage() {
    if (!m_image || m_image->obdata == nullptr) return;
    if (m_shared) XShmDetach(m_target.display, &m_segment);
    if (m_segment.shmaddr && m_segment.shmaddr != reinterpret_cast<char*>(-1)) shmdt(m_segment.shmaddr);
    m_image->data = nullptr;
    XDestroyImage(m_image);
    m_image = nullptr;
    m_shared = false;
}

void keslX11Presenter::makePlainImage() {
    const int bitmapPad = m_target.depth > 16 ? 32 : (m_target.depth > 8 ? 16 : 8);
    m_image = XCreateImage(m_target.display, m_target.visual, static_cast<unsigned>(m_target.depth), ZPixmap, 0,
                           nullptr, static_cast<unsigned>(m_target.width), static_cast<unsigned>(m_target.height),
                           bitmapPad, 0);
    // Our pixels are in this machine's byte order; Xlib swaps for the server if needed.
    m_image->byte_order = nativeByteOrder();
    m_plainPixels.assign(static_cast<size_t>(m_image->bytes_per_line) * m_image->height, 0);
    m_image->data = m_plainPixels.data();
}

bool keslX11Presenter::takesRasterPixels() const {
    return isRasterLayout(m_masks, m_image->bits_per_pixel) && m_image->byte_order == nativeByteOrder() &&
           m_image->bytes_per_line == m_target.width * static_cast<int>(sizeof(keslPixel));
}

keslPixel* keslX11Presenter::backBufferMemory() {
    return takesRasterPixels() ? reinterpret_cast<keslPixel*>(m_image->data) : nullptr;
}

void keslX11Presenter::copyInto(const keslPixelSurface& frame, const keslRect<int>& area) {
    // The usual case: the frame was drawn in the image itself.
    if (frame.data() == reinterpret_cast<const keslPixel*>(m_image->data)) return;
    const keslRect<int> copied = keslIntersection(
        area, keslRect<int>(0, 0, std::min(frame.width(), m_target.width), std::min(frame.height(), m_target.height)));
    if (keslIsEmpty(copied)) return;
    const bool copyAsIs = takesRasterPixels();
    for (int y = copied.top; y < copied.getBottom(); ++y) {
        const keslPixel* source = frame.row(y) + copied.left;
        if (copyAsIs) {
            std::memcpy(m_image->data + static_cast<size_t>(y) * m_image->bytes_per_line +
                            static_cast<size_t>(copied.left) * sizeof(keslPixel),
                        source, static_cast<size_t>(copied.width) * sizeof(keslPixel));
            continue;
        }
        convertRow(source, copied.left, copied.width, y);
    }
    keslCountBlockPixels(static_cast<std::uint64_t>(copied.width) * static_cast<std::uint64_t>(copied.height));
}

void keslX11Presenter::convertRow(const keslPixel* source, int left, int width, int y) {
    char* row = m_image->data + static_cast<size_t>(y) * m_image->bytes_per_line;
    const bool nativeOrder = m_image->byte_order == nativeByteOrder();
    if (nativeOrder && m_image->bits_per_pixel == 32) {
        auto* out = reinterpret_cast<std::uint32_t*>(row) + left;
        for (int x = 0; x < width; ++x) out[x] = m_converter(source[x]);
        return;
    }
    if (nativeOrder && m_image->bits_per_pixel == 16) {
        auto* out = reinterpret_cast<std::uint16_t*>(row) + left;
        for (int x = 0; x < width; ++x) out[x] = static_cast<std::uint16_t>(m_converter(source[x]));
        return;
    }
    // Anything rarer (24 bits packed, palettes) goes through Xlib, slowly but right.
    for (int x = 0; x < width; ++x) XPutPixel(m_image, left + x, y, m_converter(source[x]));
}

void keslX11Presenter::present(const keslPixelSurface& frame) { present(frame, keslDirtyRegion()); }

void keslX11Presenter::present(const keslPixelSurface& frame, const keslDirtyRegion& changed) {
    const keslRect<int> whole(0, 0, m_target.width, m_target.height);
    if (m_wholeDue || changed.isWhole()) {
        m_wholeDue = false;
        copyInto(frame, whole);
        put(whole);
    } else {
        for (const keslRect<int>& area : changed) {
            copyInto(frame, area);
            put(keslIntersection(area, whole));
        }
    }
    if (m_shared) {
        // The next frame writes into the same memory: the server must have read this one.
        XSync(m_target.display, False);
        return;
    }
    XFlush(m_target.display);
}

void keslX11Presenter::put(const keslRect<int>& area) {
    if (keslIsEmpty(area)) return;
    const auto width = static_cast<unsigned>(area.width);
    const auto height = static_cast<unsigned>(area.height);
    if (m_shared) {
        XShmPutImage(m_target.display, m_target.window, m_gc, m_image, area.left, area.top, area.left, area.top,
                     width, height, False);
        return;
    }
    XPutImage(m_target.display, m_target.window, m_gc, m_image, area.left, area.top, area.left, area.top, width,
              height);
}
