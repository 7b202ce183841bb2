/// \file
/// Zrno module frame: the result codes of every operation and the mapping of system errors to them.
#ifndef ZRNO_FRAME_NAPAKE_H
#define ZRNO_FRAME_NAPAKE_H

#include <zrno/frame/Izvoz.h>

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

} // namespace Zrno

/// Maps a system error code (GetLastError, WSAGetLastError) to a result code; 0 maps to 0 and an
/// unlisted code to default_code, which names the failed operation.
ZRNO_API int PretvoriNapako(unsigned int system_error, int default_code);

#endif
