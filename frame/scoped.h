// Tiny owners for temporaries inside the library, so early returns cannot leak a handle or a block.
// The public classes keep their own (raw-copy) ownership rules; these are for function-local use only.
#ifndef ZRNO_FRAME_SCOPED_H
#define ZRNO_FRAME_SCOPED_H

#include "frame/win.h"
#include <zrno/frame.h>

namespace Zrno::Notranje {

template <typename Traits> class Scoped {
public:
    using Type = typename Traits::Type;
    explicit Scoped(Type v = Traits::Invalid()) : m_v(v) {}
    Scoped(const Scoped &) = delete;
    Scoped &operator=(const Scoped &) = delete;
    ~Scoped() { reset(); }

    Type get() const { return m_v; }
    Type *put() {
        reset();
        return &m_v;
    }
    Type release() {
        Type v = m_v;
        m_v = Traits::Invalid();
        return v;
    }
    void reset(Type v = Traits::Invalid()) {
        if (m_v != Traits::Invalid())
            Traits::Close(m_v);
        m_v = v;
    }
    explicit operator bool() const { return m_v != Traits::Invalid(); }

private:
    Type m_v;
};

struct HandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

struct BlockTraits {
    using Type = void *;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { SprostiPomnilnik(p); }
};

using ScopedHandle = Scoped<HandleTraits>;
/// A block of the private heap.
using ScopedBlock = Scoped<BlockTraits>;

} // namespace Zrno::Notranje

#endif
