// Subcommands of zrno.exe register themselves here, one file per subcommand:
//   static int Izvedi(int argc, char **argv);   // arguments after the subcommand's name
//   ZRNO_UKAZ(version, "print the library's version and the system classification", k_navodila, Izvedi)
// The rules every subcommand shares are kept by main(): -h or --help anywhere before a "--" prints the
// usage on standard output (exit 0) without running the command; the output is checked to have been
// written whole (exit 1 with a message when not); an exit code other than 0 always comes with a
// message. A subcommand prints its own messages through Napaka and NapacnaUporaba: bad usage is a
// message and the usage on standard error (exit 2), a failure of the work a message (exit 1).
#ifndef ZRNO_TOOLS_UKAZ_H
#define ZRNO_TOOLS_UKAZ_H

namespace zrno_orodje {

using Funkcija = int (*)(int argc, char **argv);

struct Ukaz {
    const char *ime;
    const char *opis;
    const char *navodila;
    Funkcija izvedi;
    const Ukaz *naslednji;
};

/// Adds a subcommand to the list that main() searches; returns a dummy for static initialisation.
int Registriraj(Ukaz *ukaz);

/// A whole number written exactly: decimal digits without a leading zero, or 0x and hex digits; no sign,
/// space or anything after it. False when besedilo is not one or is above najvec (vrednost untouched).
bool Stevilo(const char *besedilo, unsigned long long najvec, unsigned long long *vrednost);
/// True for the arguments that ask for help: --help and -h.
bool JePomoc(const char *argument);
/// A failure of the work: the printf-style message (with its "zrno NAME: " and its line end) on
/// standard error; returns 1.
int Napaka(const char *sporocilo, ...);
/// Bad usage: "zrno " and the printf-style message ("NAME: what is wrong"), then the usage text, on
/// standard error; returns 2.
int NapacnaUporaba(const char *navodila, const char *sporocilo, ...);

} // namespace zrno_orodje

#define ZRNO_UKAZ(ime, opis, navodila, funkcija)                                                             \
    static zrno_orodje::Ukaz zrno_ukaz_##ime = {#ime, opis, navodila, funkcija, nullptr};                    \
    [[maybe_unused]] static const int zrno_ukaz_reg_##ime = zrno_orodje::Registriraj(&zrno_ukaz_##ime);

#endif
