// RNizOP<T>: printf-style formatting into the string's own buffer and scanf-style parsing of exactly
// its length, both through the Microsoft runtime with the library's locale.
//
// The bounded formatter (_vsnprintf_l / _vsnwprintf_l) returns the output length when it fits with its
// terminator, exactly the count (no terminator) when it fills the buffer, and -1 when it does not fit,
// having written count characters of it. It also returns -1 when the output cannot be produced at all
// (a %S/%C argument the code page cannot hold); then no buffer is ever large enough. The counting form
// (_vscprintf_l), asked once after the first refusal, tells the two apart and gives the exact length.
#include "strings/Znaki.h"
#include <stdarg.h>
#include <zrno/strings.h>

using Zrno::Notranje::Locale;
using Zrno::Notranje::Znaki;

// The P-forms take the argument list as char *: that is what va_list is on both Windows targets.
static_assert(sizeof(va_list) == sizeof(char *), "va_list is expected to be a plain pointer");

namespace {

// One attempt on a fresh copy of the argument list: the runtime walks it, and the next attempt must see
// it from its start again.
template <class T> int Poskus(T *cilj, unsigned int stevilo, T const *oblika, _locale_t l, char *args) {
    va_list kopija;
    va_copy(kopija, args);
    int r = Znaki<T>::Oblikuj(cilj, stevilo, oblika, l, kopija);
    va_end(kopija);
    return r;
}

template <class T> int Izmeri(T const *oblika, _locale_t l, char *args) {
    va_list kopija;
    va_copy(kopija, args);
    int r = Znaki<T>::Izmeri(oblika, l, kopija);
    va_end(kopija);
    return r;
}

// The capacity that growing to capacity + 128 per refusal reaches first with room for `potrebno`
// characters: the first step rounds up to a multiple of 128, every further one adds 256.
unsigned long long Rast(unsigned long long kapaciteta, unsigned long long potrebno) {
    unsigned long long c = ((kapaciteta + 128) / 128 + 1) * 128;
    return c < potrebno ? c + (potrebno - c + 255) / 256 * 256 : c;
}

} // namespace

template <class T> RNizOP<T>::RNizOP(unsigned int rezerva) : RNizP<T>(rezerva) {}

template <class T>
RNizOP<T>::RNizOP(RNizOP<T> const &drugi) : RElement(drugi), RNizP<T>(drugi), RNizNP<T>(drugi) {}

template <class T> RNizOP<T> &RNizOP<T>::operator=(RNizOP<T> const &drugi) {
    RNizP<T>::operator=(drugi);
    return *this;
}

// Formats at index `od` (0 for Oblikuj, the length for PrilepiO) and returns the new total length.
// Each refusal would grow the buffer by 128 past the capacity (a 128-multiple grows by 256) and format
// again; the output's length, measured once after the first refusal, leads straight to the capacity
// those steps end at, so a long output is formatted twice, not once per step. An output that exactly
// fills the buffer costs one more step of 128 for its terminator. When the heap refuses to grow, the
// text keeps what fitted.
template <class T> unsigned int RNizOP<T>::OblikujOd(unsigned int od, T const *oblika, char *args) {
    _locale_t l = Locale();
    if (this->m_kapaciteta == 0 && this->RezervirajDolzino(0, false) < 0)
        return this->Skrajsaj(0);
    int r = Poskus(this->m_niz + od, this->m_kapaciteta - od, oblika, l, args);
    if (r < 0) {
        const int dolzina = Izmeri(oblika, l, args);
        const unsigned long long kapaciteta = dolzina < 0 ? 0 : Rast(this->m_kapaciteta, od + 0ull + dolzina);
        // RezervirajDolzino(n) makes the capacity the smallest multiple of 128 above n.
        if (kapaciteta != 0 && kapaciteta <= 0xFFFFFF80u &&
            this->RezervirajDolzino(static_cast<unsigned int>(kapaciteta - 1), false) >= 0)
            r = Poskus(this->m_niz + od, this->m_kapaciteta - od, oblika, l, args);
    }
    if (r < 0) {
        // Either the runtime gave up part-way (keep what it wrote before failing) or the heap did
        // (keep the part that fitted). Both stop at the buffer's last character at most.
        unsigned int n = od;
        while (n + 1 < this->m_kapaciteta && this->m_niz[n])
            ++n;
        return this->Skrajsaj(n);
    }
    unsigned int nova = od + static_cast<unsigned int>(r);
    if (nova == this->m_kapaciteta && this->RezervirajDolzino(this->m_kapaciteta, false) < 0)
        --nova;
    return this->Skrajsaj(nova);
}

template <class T> unsigned int RNizOP<T>::OblikujP(T const *oblika, char *args) {
    return OblikujOd(0, oblika, args);
}

template <class T> unsigned int RNizOP<T>::Oblikuj(T const *oblika, ...) {
    va_list args;
    va_start(args, oblika);
    unsigned int r = OblikujOd(0, oblika, args);
    va_end(args);
    return r;
}

template <class T> unsigned int RNizOP<T>::PrilepiOP(T const *oblika, char *args) {
    return OblikujOd(this->m_dolzina, oblika, args);
}

template <class T> unsigned int RNizOP<T>::PrilepiO(T const *oblika, ...) {
    va_list args;
    va_start(args, oblika);
    unsigned int r = OblikujOd(this->m_dolzina, oblika, args);
    va_end(args);
    return r;
}

template <class T> RNizOP<T> RNizOP<T>::OblikujSP(T const *oblika, char *args) {
    RNizOP<T> niz;
    niz.OblikujP(oblika, args);
    return niz;
}

template <class T> RNizOP<T> RNizOP<T>::OblikujS(T const *oblika, ...) {
    va_list args;
    va_start(args, oblika);
    RNizOP<T> niz;
    niz.OblikujP(oblika, args);
    va_end(args);
    return niz;
}

// msvcrt has no va_list form of its counted reader, so the receiving pointers are taken off the list
// and passed on as ordinary arguments. Every scanf argument is a pointer; the reader uses only as many
// as the format asks for, and the extra ones it never touches are read from the caller's frame.
constexpr unsigned int k_najvecKazalcev = 32;

template <class T> unsigned int RNizOP<T>::RazcleniP(T const *oblika, char *args) const {
    void *k[k_najvecKazalcev];
    va_list kopija;
    va_copy(kopija, args);
    for (void *&p : k)
        p = va_arg(kopija, void *);
    va_end(kopija);
    int r = Znaki<T>::Preberi(this->m_niz, this->m_dolzina, oblika, Locale(), k[0], k[1], k[2], k[3], k[4],
                              k[5], k[6], k[7], k[8], k[9], k[10], k[11], k[12], k[13], k[14], k[15], k[16],
                              k[17], k[18], k[19], k[20], k[21], k[22], k[23], k[24], k[25], k[26], k[27],
                              k[28], k[29], k[30], k[31]);
    return r < 0 ? 0 : static_cast<unsigned int>(r);
}

template <class T> unsigned int RNizOP<T>::Razcleni(T const *oblika, ...) const {
    va_list args;
    va_start(args, oblika);
    unsigned int r = RazcleniP(oblika, args);
    va_end(args);
    return r;
}

template class RNizOP<char>;
template class RNizOP<unsigned short>;
