// Tiny owners for temporaries inside the library, so early returns cannot leak a handle or a block.
// They take the ownership policies of frame/Lastnina.h (empty values and closer); the public classes
// keep their own copy rules through Lastnina, these are for function-local use only.
#ifndef ZRNO_NOTRANJE_FRAME_SCOPED_H
#define ZRNO_NOTRANJE_FRAME_SCOPED_H

#include "frame/Lastnina.h"
#include "frame/win.h"

namespace Zrno::Notranje {

template <class Politika, typename T = void *> class Scoped {
  public:
    using Type = T;
    explicit Scoped(Type v = static_cast<Type>(Politika::Prazna())) : m_v(v) {}
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
        m_v = static_cast<Type>(Politika::Prazna());
        return v;
    }
    void reset(Type v = static_cast<Type>(Politika::Prazna())) {
        if (!Politika::JePrazna(m_v))
            Politika::Zapri(m_v);
        m_v = v;
    }
    explicit operator bool() const { return !Politika::JePrazna(m_v); }

  private:
    Type m_v;
};

using ScopedHandle = Scoped<Rocica, HANDLE>;
/// A block of the private heap.
using ScopedBlock = Scoped<Blok>;

} // namespace Zrno::Notranje

#endif
