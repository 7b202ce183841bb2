/// \file
/// Zrno module frame: start-up and shut-down, the private heap, version queries, result codes, the
/// mapping of system errors, and the three roots of the class tree (RElement, RIzpElement, RSisElement).
/// Every other public header of the library includes this one.
#ifndef ZRNO_FRAME_H
#define ZRNO_FRAME_H

// The interface speaks __int64, which mingw defines in its runtime headers, not in the compiler.
#include <stdint.h>

#ifdef ZRNO_BUILD
#define ZRNO_API __declspec(dllexport)
#else
/// Marks what the DLL exports: dllexport while building it, dllimport for its users.
#define ZRNO_API __declspec(dllimport)
#endif

/// Operating-system classification: platform family in the upper 16 bits (1 Win32s, 2 Windows 95
/// family, 3 NT family), release within the family in bits 8 to 15.
enum T_VERZIJAOS : unsigned int {
    OS_WIN32S = 0x10100,  ///< Win32s
    OS_WIN95 = 0x20100,   ///< Windows 95
    OS_WIN98 = 0x20200,   ///< Windows 98
    OS_WINME = 0x20300,   ///< Windows Me
    OS_NT3 = 0x30100,     ///< Windows NT 3.x
    OS_NT4 = 0x30200,     ///< Windows NT 4.0
    OS_WIN2000 = 0x30300, ///< Windows 2000
    OS_WINXP = 0x30400,   ///< Windows XP
    OS_WIN2003 = 0x30500  ///< Windows Server 2003 and every later NT release
};

/// The library's functions and result codes. Result codes: 0 is success, a positive value success
/// with a remark, a negative value failure: test failures by the sign, never by comparing with 0.
namespace Zrno {

constexpr int OK = 0;             ///< success
constexpr int OK_NICNAREDITI = 1; ///< nothing had to be done

/// The failure code numbered n: the sign bit set over n.
constexpr int napaka(unsigned int n) { return static_cast<int>(0x80000000u | n); }

constexpr int NAP_VTICNICE = napaka(0x01);          ///< socket layer start failed
constexpr int NAP_PARAMETER = napaka(0x03);         ///< invalid parameter
constexpr int NAP_BRANJE = napaka(0x04);            ///< read failed
constexpr int NAP_PISANJE = napaka(0x05);           ///< write failed
constexpr int NAP_POMNILNIK = napaka(0x06);         ///< out of memory
constexpr int NAP_ODPIRANJE = napaka(0x07);         ///< open failed
constexpr int NAP_ZAPIRANJE = napaka(0x08);         ///< close failed
constexpr int NAP_POLOZAJ = napaka(0x09);           ///< position query or seek failed
constexpr int NAP_ZAKLEPANJE = napaka(0x0A);        ///< lock or wait failed
constexpr int NAP_ODKLEPANJE = napaka(0x0B);        ///< unlock or release failed
constexpr int NAP_KONECDATOTEKE = napaka(0x0D);     ///< setting the end of file failed
constexpr int NAP_TUJMEDPOMNILNIK = napaka(0x0E);   ///< buffer is not owned and cannot be resized
constexpr int NAP_IZPLAKNI = napaka(0x0F);          ///< flush failed
constexpr int NAP_VEZAVA = napaka(0x10);            ///< bind failed
constexpr int NAP_POVEZAVA = napaka(0x11);          ///< connect failed
constexpr int NAP_POSLUSANJE = napaka(0x12);        ///< listen failed
constexpr int NAP_SPREJEM = napaka(0x13);           ///< accept failed
constexpr int NAP_RAZRESITEV = napaka(0x14);        ///< name or address not resolved
constexpr int NAP_NASPROTNIK = napaka(0x15);        ///< peer address query failed
constexpr int NAP_NASTAVIOPCIJO = napaka(0x16);     ///< setting an option failed
constexpr int NAP_BERIOPCIJO = napaka(0x17);        ///< reading an option failed
constexpr int NAP_NINAJDENO = napaka(0x19);         ///< item not found
constexpr int NAP_NIVEC = napaka(0x1A);             ///< no more items
constexpr int NAP_USTVARI = napaka(0x1B);           ///< create failed
constexpr int NAP_ZAUSTAVI = napaka(0x1D);          ///< suspend failed
constexpr int NAP_NADALJUJ = napaka(0x1E);          ///< resume failed
constexpr int NAP_PREKINI = napaka(0x1F);           ///< cancel or terminate failed
constexpr int NAP_PRIORITETA = napaka(0x20);        ///< setting the priority failed
constexpr int NAP_BRISANJE = napaka(0x21);          ///< delete failed
constexpr int NAP_TIPVREDNOSTI = napaka(0x22);      ///< stored value has the wrong type
constexpr int NAP_CASOVNIROK = napaka(0x23);        ///< time-out
constexpr int NAP_PONASTAVI = napaka(0x25);         ///< reset failed
constexpr int NAP_PULZ = napaka(0x26);              ///< pulse failed
constexpr int NAP_NICZAKLENJENO = napaka(0x27);     ///< nothing is held
constexpr int NAP_NALAGANJE = napaka(0x28);         ///< loading a module or resource failed
constexpr int NAP_DODAJKNJIZNICO1 = napaka(0x29);   ///< adding a resource library failed
constexpr int NAP_DODAJKNJIZNICO2 = napaka(0x2A);   ///< adding a resource library failed
constexpr int NAP_DODAJKNJIZNICO3 = napaka(0x2B);   ///< adding a resource library failed
constexpr int NAP_DODAJKNJIZNICO4 = napaka(0x2C);   ///< adding a resource library failed
constexpr int NAP_SPROSTIMODUL = napaka(0x2E);      ///< releasing a module failed
constexpr int NAP_ODPRIUPRAVLJALNIK = napaka(0x35); ///< opening the service manager failed
constexpr int NAP_NIBAZE = napaka(0x37);            ///< database does not exist
constexpr int NAP_ROCICA = napaka(0x38);            ///< invalid handle
constexpr int NAP_IME = napaka(0x39);               ///< invalid name
constexpr int NAP_NISERVISA = napaka(0x3A);         ///< service does not exist
constexpr int NAP_KROZNAODVISNOST = napaka(0x3B);   ///< circular dependency
constexpr int NAP_OBSTAJA = napaka(0x3C);           ///< already exists
constexpr int NAP_RACUN = napaka(0x3D);             ///< invalid service account
constexpr int NAP_USTVARISERVIS = napaka(0x3E);     ///< creating the service failed
constexpr int NAP_ODPRISERVIS = napaka(0x3F);       ///< opening the service failed
constexpr int NAP_ZBRISISERVIS = napaka(0x40);      ///< deleting the service failed
constexpr int NAP_IMESERVISA = napaka(0x41);        ///< service name look-up failed
constexpr int NAP_DOSTOP = napaka(0x42);            ///< access denied
constexpr int NAP_NIPODPRTO = napaka(0x43);         ///< not supported
constexpr int NAP_CRC = napaka(0x44);               ///< data error (CRC)
constexpr int NAP_NIDATOTEKE = napaka(0x45);        ///< file or value not found
constexpr int NAP_NIPOTI = napaka(0x46);            ///< path not found
constexpr int NAP_PREVECDATOTEK = napaka(0x47);     ///< too many open files
constexpr int NAP_ZASCITAPISANJA = napaka(0x48);    ///< medium is write-protected
constexpr int NAP_NIPRIPRAVLJEN = napaka(0x49);     ///< device not ready
constexpr int NAP_SKUPNIDOSTOP = napaka(0x4A);      ///< sharing violation
constexpr int NAP_SEKTOR = napaka(0x4B);            ///< sector not found
constexpr int NAP_ZAKLENJENO = napaka(0x4C);        ///< locked by another party
constexpr int NAP_DISKPOLN = napaka(0x4D);          ///< disk full
constexpr int NAP_USTVARIIMENIK = napaka(0x4E);     ///< creating the directory failed
constexpr int NAP_PODVOJI = napaka(0x4F);           ///< duplicating the handle failed
constexpr int NAP_POTMODULA = napaka(0x50);         ///< module path query failed
constexpr int NAP_BERIATRIBUTE = napaka(0x51);      ///< reading the attributes failed
constexpr int NAP_NASTAVIATRIBUTE = napaka(0x52);   ///< setting the attributes failed
constexpr int NAP_ZABRISANJE = napaka(0x53);        ///< service is marked for deletion
constexpr int NAP_ZAGONSERVISA = napaka(0x54);      ///< starting the service failed
constexpr int NAP_SERVISTECE = napaka(0x55);        ///< service already running
constexpr int NAP_PRIJAVASERVISA = napaka(0x56);    ///< service logon failed
constexpr int NAP_VERZIJAOS = napaka(0x57);         ///< system version query failed
constexpr int NAP_KRMILJENJE = napaka(0x58);        ///< service control failed
constexpr int NAP_NITID = napaka(0x59);             ///< invalid thread identifier
constexpr int NAP_NIVIRA = napaka(0x5A);            ///< resource not found
constexpr int NAP_STANJEZGOSCEVANJA = napaka(0x5C); ///< bad hash state
constexpr int NAP_NIKLJUCEV = napaka(0x5D);         ///< key set not defined
constexpr int NAP_KLJUCI = napaka(0x5E);            ///< bad key set
constexpr int NAP_KONECPODATKOV = napaka(0x5F);     ///< end of data
constexpr int NAP_STATUSSERVISA = napaka(0x60);     ///< reporting the service status failed
constexpr int NAP_ZAPRIPOVEZAVO = napaka(0x61);     ///< connection shutdown failed
constexpr int NAP_NASTAVICASOMER = napaka(0x62);    ///< setting the timer failed
constexpr int NAP_ZAVRNJENO = napaka(0x63);         ///< connection refused
constexpr int NAP_OBVESTILO = napaka(0x64);         ///< change notification failed
constexpr int NAP_TRENUTNIIMENIK = napaka(0x65);    ///< current directory query failed
constexpr int NAP_NASTAVIIMENIK = napaka(0x66);     ///< changing the current directory failed
constexpr int NAP_REZULTATNITI = napaka(0x67);      ///< reading the thread result failed
constexpr int NAP_VERZIJADATOTEKE = napaka(0x68);   ///< file version query failed

/// Starts the library (reference-counted) and sets its locale to code page 1250 on every call.
/// Returns 0, or NAP_VTICNICE / NAP_VERZIJAOS when the first start fails.
ZRNO_API int Vzpostavi();
/// Undoes one start; the last one stops the socket layer. Returns 1 when the library is not started.
ZRNO_API int Zakljuci();
/// The classification made by the first start (kept across shut-down); 0 before it.
ZRNO_API T_VERZIJAOS VrniVerzijoOS();
/// Reports the version 1.18.0.0; any pointer may be null. *text points at a constant the caller must
/// not free. Returns 0.
ZRNO_API int VrniVerzijo(unsigned int *packed, unsigned int *major, unsigned int *minor, unsigned int *third,
                         unsigned int *fourth, char **const text);
/// Sets the library's own C runtime locale as setlocale does (locale null only queries); returns the
/// locale's name or null when refused. The application's locale is not touched.
ZRNO_API char const *NastaviLocale(int category, char const *locale);
/// Wide twin of NastaviLocale; UTF-16 names.
ZRNO_API unsigned short const *NastaviLocale(int category, unsigned short const *locale);
/// The one reallocation primitive on the private heap: size 0 frees, a null block allocates. Returns
/// null when refused, and the old block then stays valid and unchanged.
ZRNO_API void *RezervirajPomnilnik(void *block, unsigned int size);
/// Returns a block to the private heap; null does nothing.
ZRNO_API void SprostiPomnilnik(void *block);
/// Diagnostic output is switched off: does nothing and returns 0 (code-page text format).
ZRNO_API unsigned int IzpisiDiagnosticnoSp(char const *format, ...);
/// Diagnostic output is switched off: does nothing and returns 0 (UTF-16 format).
ZRNO_API unsigned int IzpisiDiagnosticnoSp(unsigned short const *format, ...);

} // namespace Zrno

/// The private heap's handle, created on first use (serialised, growable, never destroyed).
ZRNO_API void *zgetheap();

/// Maps a system error code (GetLastError, WSAGetLastError) to a result code; 0 maps to 0 and an
/// unlisted code to default_code, which names the failed operation.
ZRNO_API int PretvoriNapako(unsigned int system_error, int default_code);

/// Reads the private fields of the classes whose layout belongs to the interface, so that the layout is
/// checked at compile time for both pointer sizes (tests/interface). The library does not define it.
struct PreverjanjeRazporeditve;

/// The common root: any object of the library can be destroyed through an RElement pointer.
class ZRNO_API RElement {
  public:
    RElement() {}
    /// The root holds no data: copying and assigning copy nothing.
    RElement(const RElement &) {}
    virtual ~RElement();
    /// Copies nothing; returns the object itself.
    RElement &operator=(const RElement &) { return *this; }
};

/// The root of everything that buffers: Izplakni writes out what the object still holds.
class ZRNO_API RIzpElement : public virtual RElement {
  public:
    RIzpElement() {}
    /// Holds no data: copying and assigning copy nothing.
    RIzpElement(const RIzpElement &o) : RElement(o) {}
    ~RIzpElement() override;
    /// Copies nothing; returns the object itself.
    RIzpElement &operator=(const RIzpElement &) { return *this; }
    /// Writes out whatever is still buffered; 0 on success or a failure code.
    virtual int Izplakni() = 0;
};

/// The wrapper of one system handle. Copies share the raw handle; this part's destructor never closes
/// it (each derived class decides). INVALID_HANDLE_VALUE means no handle. No lock is taken: two copies
/// must not both close the handle they share.
class ZRNO_API RSisElement : public virtual RElement {
  public:
    /// Stores the handle (none by default); nothing is opened or duplicated.
    RSisElement(void *rocica = reinterpret_cast<void *>(-1)) : m_rocica(rocica) {}
    /// Copies share the raw handle: nothing is duplicated, closed or released. Use Podvoji for an
    /// independent handle.
    RSisElement(const RSisElement &o) : RElement(o), m_rocica(o.m_rocica) {}
    ~RSisElement() override;
    /// Shares the other's raw handle; the one held before is neither closed nor released.
    RSisElement &operator=(const RSisElement &o) {
        m_rocica = o.m_rocica;
        return *this;
    }

    /// Adopts a handle; the one held before is neither closed nor released. Returns 0.
    virtual int Uporabi(void *rocica);
    /// Gives the handle up without closing it and leaves the object empty.
    virtual void *Odpusti();
    /// Closes a valid handle (0, or the mapped error with NAP_ZAPIRANJE as default; the handle is kept
    /// on failure); returns 1 when there is nothing to close.
    virtual int Zapri();
    /// Duplicates the held handle (no validity test first) into *kopija; on failure *kopija becomes
    /// INVALID_HANDLE_VALUE and the result is the mapped error with NAP_PODVOJI as default.
    virtual int Podvoji(bool dedna, void **kopija);

    /// Closes any handle with CloseHandle, without a validity test.
    static int Zapri(void *rocica);
    /// Duplicates any handle within this process.
    static int Podvoji(void *rocica, bool dedna, void **kopija);

    /// The handle as held (INVALID_HANDLE_VALUE when none).
    void *VrniRocico() const { return m_rocica; }
    /// The handle as held, so the object passes where a HANDLE is wanted.
    operator void *() const { return m_rocica; }
    /// True when the handle is neither 0 nor INVALID_HANDLE_VALUE.
    bool JeVeljaven() const { return m_rocica != nullptr && m_rocica != reinterpret_cast<void *>(-1); }

  protected:
    friend struct PreverjanjeRazporeditve;
    void *m_rocica; ///< the handle; INVALID_HANDLE_VALUE when none
};

// ---------------------------------------------------------------------------------------------------
// File-system helpers: file version, deleting a file, the current directory, the module path, directory
// trees and the file search. Narrow forms take code-page text and use the system's A calls; wide forms
// take UTF-16 and use the W calls. All return 0 or a failure code mapped from the system error.

/// One directory entry found by RIskalnikDatotek. The times are UTC on the RDatum scale (milliseconds,
/// Julian-day based; the system's file time / 10 000 + 199 222 329 600 000).
struct T_NAJDENADATOTEKA {
    unsigned int Atributi;       ///< FILE_ATTRIBUTE_* bits as the system reports them
    unsigned long long Velikost; ///< size in bytes
    long long CasUstvarjanja;    ///< creation time
    long long CasDostopa;        ///< last access time
    long long CasSpremembe;      ///< last write time

    char KratkoIme[14]; ///< the 8.3 name; empty when the system gives none
    char Pot[260];      ///< the pattern's directory part followed by the name (at most 259 characters)
    char *Ime;          ///< points into Pot at the name
};

namespace Zrno {

/// Reads the four parts of a file's version (any pointer may be null; nothing is written on failure).
/// Failure: the mapped error, default NAP_VERZIJADATOTEKE; NAP_POMNILNIK without working memory.
///@{
ZRNO_API int VrniVerzijoDatoteke(char const *datoteka, unsigned int *major, unsigned int *minor,
                                 unsigned int *tretja, unsigned int *cetrta);
ZRNO_API int VrniVerzijoDatoteke(unsigned short const *datoteka, unsigned int *major, unsigned int *minor,
                                 unsigned int *tretja, unsigned int *cetrta);
///@}
/// Deletes a file; failure default NAP_BRISANJE.
///@{
ZRNO_API int ZbrisiDatoteko(char const *datoteka);
ZRNO_API int ZbrisiDatoteko(unsigned short const *datoteka);
///@}
/// Sets the process's current directory; failure default NAP_NASTAVIIMENIK.
///@{
ZRNO_API int NastaviTrenutniImenik(char const *imenik);
ZRNO_API int NastaviTrenutniImenik(unsigned short const *imenik);
///@}
/// Reads the current directory into a buffer of *velikost characters. *velikost then holds the smaller
/// of that size and the system's answer: the length written, or the size needed (terminator included)
/// when the buffer is too small, in which case nothing is written. Failure default NAP_TRENUTNIIMENIK.
///@{
ZRNO_API int VrniTrenutniImenik(char *medpomnilnik, unsigned int *velikost);
ZRNO_API int VrniTrenutniImenik(unsigned short *medpomnilnik, unsigned int *velikost);
///@}
/// The full path of a module (null: the executable) into a buffer of *velikost characters; *velikost
/// receives the system's count (the truncated length when the buffer is too small). Failure default
/// NAP_POTMODULA.
///@{
ZRNO_API int VrniPotModula(void *modul, char *medpomnilnik, unsigned int *velikost);
ZRNO_API int VrniPotModula(void *modul, unsigned short *medpomnilnik, unsigned int *velikost);
///@}
/// Creates every directory along a path (backslashes separate; a trailing one is allowed), taking the
/// attributes of predloga when given. Returns the outcome of the last directory: 0, NAP_OBSTAJA when it
/// existed, NAP_DOSTOP, or the failure (default NAP_USTVARIIMENIK) that stopped the walk.
ZRNO_API int UstvariImenik(char const *pot, char const *predloga);

} // namespace Zrno

/// Enumerates the directory entries matching a pattern ("." and ".." included), in the system's order.
/// Copies continue the same system search. The destructor does not close the search; Zapri does.
/// One thread at a time per finder.
class ZRNO_API RIskalnikDatotek : public RSisElement {
  public:
    RIskalnikDatotek();
    /// Copies share the search handle and the entry waiting to be delivered; only one of them closes.
    RIskalnikDatotek(const RIskalnikDatotek &o);
    ~RIskalnikDatotek() override;
    /// Shares the other's search (the one held before is not closed) and its waiting entry.
    RIskalnikDatotek &operator=(const RIskalnikDatotek &o);

    /// Starts a search (code-page pattern, such as `C:\dir\*.txt`). Failure: the mapped error, default
    /// NAP_NINAJDENO (NAP_NIDATOTEKE when nothing matches). A search still open is not closed first.
    int Odpri(char const *vzorec);
    /// Delivers the next entry: 0, or NAP_NIVEC when there is none.
    int Poisci(T_NAJDENADATOTEKA *najdena);
    using RSisElement::Zapri;
    /// Ends the search: 0, 1 when none is open, or the mapped error (default NAP_ZAPIRANJE).
    int Zapri() override;

  private:
    friend struct PreverjanjeRazporeditve;
    char m_imenik[260];
    unsigned int m_dolzinaImenika;
    alignas(4) unsigned char m_cakajoci[320]; ///< the system's WIN32_FIND_DATAA of the next entry
    bool m_konec;
};

#endif
