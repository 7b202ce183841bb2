/// \file
/// RRegister: one open key of the system registry. Open or create it under a parent key, read values
/// with conversions between the value types, write texts, lists, numbers and bytes, delete values and
/// whole subtrees, enumerate subkeys and watch the key for changes. Names and texts are code-page text
/// (the system's ANSI code page, through the registry's A calls).
#ifndef ZRNO_SYSTEM_RREGISTER_H
#define ZRNO_SYSTEM_RREGISTER_H

#include <zrno/frame/Elementi.h>
#include <zrno/system/RDinTabela.h>

struct HKEY__;
class RNizA;
class RTokPodatkov;

/// A registry value type, the system's own number passed through unchanged (REG_*); other system codes
/// may occur as well.
enum T_REGTIP : unsigned int {
    REGT_NIC = 0,      ///< REG_NONE
    REGT_NIZ = 1,      ///< REG_SZ: a text
    REGT_RAZNIZ = 2,   ///< REG_EXPAND_SZ: a text with `%environment%` references
    REGT_BINARNO = 3,  ///< REG_BINARY: raw bytes
    REGT_DWORD = 4,    ///< REG_DWORD: a 32-bit number, little-endian
    REGT_DWORD_BE = 5, ///< REG_DWORD_BIG_ENDIAN
    REGT_POVEZAVA = 6, ///< REG_LINK
    REGT_SEZNAM = 7    ///< REG_MULTI_SZ: zero-terminated texts ended by an empty one
};

namespace Zrno {
constexpr int OK_PRETVORJENO = 4; ///< a registry value was read from a value of another type
} // namespace Zrno

/// Bit 31 of the SpremljajSpremembe filter: watch the whole subtree. Bits 0 to 30 are the system's
/// REG_NOTIFY_CHANGE_* flags.
constexpr unsigned int REG_SPREMLJAJ_PODDREVO = 0x80000000u;

/// One registry key. The handle is RSisElement's; copies share it, and nothing closes it implicitly
/// (the owner calls Zapri). Parents may be open keys or predefined roots (HKEY_CURRENT_USER, or its
/// number 0x80000001). Every failure comes back as the system's error mapped by PretvoriNapako with the
/// default code named below; the object is then unchanged. A null or empty value name is the key's
/// default value.
/// Keys may be used from several threads as the system allows; the object belongs to one thread at a time.
class ZRNO_API RRegister : public virtual RSisElement, public virtual RIzpElement {
  public:
    /// Wraps an existing key handle, or none (INVALID_HANDLE_VALUE).
    RRegister(void *kljuc = reinterpret_cast<void *>(-1));
    /// Copies share the key handle; nothing is duplicated or closed.
    RRegister(RRegister const &drugi);
    /// Leaves the key open: the owner calls Zapri.
    ~RRegister() override;
    /// Shares the other's key handle (the one held before is not closed).
    RRegister &operator=(RRegister const &drugi);

    /// The key handle, for the system's registry calls.
    operator HKEY__ *() const { return static_cast<HKEY__ *>(m_rocica); }

    /// Opens the subkey `pot` of `stars` with the access mask `dostop` (KEY_*); the new handle replaces
    /// the held one without closing it. Default NAP_ODPIRANJE.
    int Odpri(void *stars, char const *pot, unsigned int dostop);
    /// Creates the subkey (non-volatile, default security) or opens it when it exists. Default NAP_USTVARI.
    int Ustvari(void *stars, char const *pot, unsigned int dostop);
    using RSisElement::Zapri;
    /// Closes the key and forgets the handle (0 afterwards) even when closing fails (default
    /// NAP_ZAPIRANJE); 1 when the handle is 0. The default -1 is no exception: the system's close decides.
    int Zapri() override;
    /// Writes the key's changes to disk. Default NAP_IZPLAKNI.
    int Izplakni() override;

    /// The raw value into a buffer of `velikost` bytes; on success its type and byte count go through
    /// the pointers that are not null. A buffer too small fails; default NAP_BRANJE.
    int Preberi(char const *ime, void *medpomnilnik, unsigned int velikost, T_REGTIP *tip,
                unsigned int *dolzina);
    /// A number: REG_DWORD and REG_DWORD_BIG_ENDIAN as stored (0); texts as decimal with leading white
    /// space and a sign, wrapping without overflow check, 0 without digits (4). Other types
    /// NAP_TIPVREDNOSTI; a missing value NAP_NIDATOTEKE.
    int Preberi(char const *ime, unsigned long &vrednost);
    /// A text: REG_SZ (0); REG_EXPAND_SZ with the environment references expanded (0); the first text
    /// of a REG_MULTI_SZ (4); a REG_DWORD in decimal (4). Other types NAP_TIPVREDNOSTI, unchanged text.
    int Preberi(char const *ime, RNizA &besedilo);
    /// A list in the REG_MULTI_SZ layout (texts with their zeros, then one more zero): a REG_MULTI_SZ as
    /// stored (0); any other value read as text becomes a one-text list (4).
    int Preberi(char const *ime, RDinTabela<char> &seznam);
    /// Writes the raw value to the stream with one Zapisi and stores its type (when `tip` is not null);
    /// returns the stream's state afterwards. Defaults NAP_NIDATOTEKE (size query), NAP_BRANJE.
    int Preberi(char const *ime, T_REGTIP *tip, RTokPodatkov &tok);
    /// The value's type; 0 when it cannot be queried.
    T_REGTIP VrniTip(char const *ime);
    /// The value's size in bytes; 0 when it cannot be queried.
    unsigned int VrniDolzino(char const *ime) const;
    /// The name of subkey `indeks` (0 first). Failure empties the name: NAP_NIVEC past the last one,
    /// otherwise default NAP_NINAJDENO.
    int VrniPodkljuc(unsigned int indeks, RNizA &ime);

    /// REG_SZ with its terminating zero (null writes an empty text). Default NAP_PISANJE.
    int Zapisi(char const *ime, char const *besedilo);
    /// REG_DWORD. Default NAP_PISANJE.
    int Zapisi(char const *ime, unsigned long vrednost);
    /// REG_BINARY of `velikost` bytes. Default NAP_PISANJE.
    int Zapisi(char const *ime, void const *podatki, unsigned int velikost);
    /// REG_MULTI_SZ from zero-terminated texts ended by an empty one (an empty or null list is stored as
    /// one zero byte). Default NAP_PISANJE.
    int ZapisiSeznam(char const *ime, char const *seznam);
    /// Deletes a value. Default NAP_BRISANJE.
    int BrisiVrednost(char const *ime);
    /// Deletes the subkey with everything below it. A child that cannot be deleted is skipped and
    /// makes the final delete fail. Default NAP_BRISANJE.
    int BrisiPodkljuc(char const *ime);
    /// Asks the system to signal `dogodek` (an event handle) once at the next change; REG_SPREMLJAJ_
    /// PODDREVO in the filter watches the subtree. Returns at once. Default NAP_OBVESTILO.
    int SpremljajSpremembe(unsigned int filter, void *dogodek);
    /// The same without an event: returns when the key has changed. Default NAP_OBVESTILO.
    int SpremljajSpremembe(unsigned int filter);
};

#endif
