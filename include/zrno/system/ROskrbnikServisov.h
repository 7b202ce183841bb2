/// \file
/// A connection to a service control manager, and the look-ups between service names and display
/// names.
#ifndef ZRNO_SYSTEM_ROSKRBNIKSERVISOV_H
#define ZRNO_SYSTEM_ROSKRBNIKSERVISOV_H

#include <zrno/frame/Elementi.h>
#include <zrno/strings/RNizA.h>

/// The service control manager of one computer. The handle is RSisElement's (-1 when none); copies
/// share it, and the destructor does not close it: the owner calls Zapri.
/// One thread at a time per object.
class ZRNO_API ROskrbnikServisov : public RSisElement {
  public:
    /// No manager handle.
    ROskrbnikServisov() {}
    /// Copies share the raw handle; nothing is duplicated or closed.
    ROskrbnikServisov(const ROskrbnikServisov &o) : RElement(o), RSisElement(o) {}
    ~ROskrbnikServisov() override;
    /// Shares the other's raw handle (the one held before is not closed).
    ROskrbnikServisov &operator=(const ROskrbnikServisov &o) {
        RSisElement::operator=(o);
        return *this;
    }

    /// Connects to the manager of the computer (null: this one) and database (null: the active one),
    /// both code-page text, with the system's access mask. The handle is kept even when the system
    /// gives none (0); failure: the mapped error, default NAP_ODPRIUPRAVLJALNIK.
    int Odpri(char const *racunalnik, char const *baza, unsigned int dostop);
    /// Closes the handle and makes it -1; on failure the mapped error (default NAP_ZAPIRANJE) and the
    /// handle stays. Closing no handle fails as the system does, with NAP_ROCICA.
    int Zapri() override;
    /// The service name of a display name (code-page text). On failure ime is empty and the result
    /// is the mapped error, default NAP_IMESERVISA.
    int VrniIme(char const *prikaznoIme, RNizA &ime);
    /// The display name of a service, the same way.
    int VrniDolgoIme(char const *ime, RNizA &prikaznoIme);
};

#endif
