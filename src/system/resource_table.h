// Bitmaps and sounds by their numeric id on builds without Windows resources:
// the files in resources/ are compiled into the program as a table, so the
// Linux build draws and plays the same pictures and sounds as the module.
// (Windows reads its module's own resources and does not define these.)
#pragma once

#include <cstddef>

struct keslResourceBytes {
    const unsigned char* data = nullptr;
    size_t size = 0;

    explicit operator bool() const { return data != nullptr; }
};

enum class keslResourceKind { bitmap, sound };

// Empty bytes when there is no such resource.
keslResourceBytes keslFindResource(keslResourceKind kind, int id);
