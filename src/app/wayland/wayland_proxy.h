// Ownership of Wayland objects: each proxy the host makes is released with
// the request its protocol names for that (destroy, or release where the
// compositor keeps state for it), when its owner goes, in reverse order.
#pragma once

#include <memory>

template <typename T, void (*Release)(T*)>
struct keslWaylandReleaser {
    void operator()(T* proxy) const {
        if (proxy) Release(proxy);
    }
};

template <typename T, void (*Release)(T*)>
using keslWaylandPtr = std::unique_ptr<T, keslWaylandReleaser<T, Release>>;
