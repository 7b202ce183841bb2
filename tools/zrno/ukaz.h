// Subcommands of zrno.exe register themselves here, one file per subcommand:
//   static int Izvedi(int argc, char **argv);   // arguments after the subcommand's name
//   ZRNO_UKAZ(version, "print the library's version and the system classification", Izvedi)
// A subcommand returns the process exit code and prints its own messages: --help prints its usage on
// standard output (exit 0), bad usage a message and the usage on standard error (exit 2), a failure
// of the work a message on standard error (exit 1).
#ifndef ZRNO_TOOLS_UKAZ_H
#define ZRNO_TOOLS_UKAZ_H

namespace zrno_orodje {

using Funkcija = int (*)(int argc, char **argv);

struct Ukaz {
    const char *ime;
    const char *opis;
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
/// --help: the usage text on standard output; returns 0.
int Pomoc(const char *navodila);
/// Bad usage: "zrno " and the printf-style message ("NAME: what is wrong"), then the usage text, on
/// standard error; returns 2.
int NapacnaUporaba(const char *navodila, const char *sporocilo, ...);

} // namespace zrno_orodje

#define ZRNO_UKAZ(ime, opis, funkcija)                                                                       \
    static zrno_orodje::Ukaz zrno_ukaz_##ime = {#ime, opis, funkcija, nullptr};                              \
    [[maybe_unused]] static const int zrno_ukaz_reg_##ime = zrno_orodje::Registriraj(&zrno_ukaz_##ime);

#endif
