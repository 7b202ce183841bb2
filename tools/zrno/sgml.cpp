// zrno sgml encode|decode: the library's SGML codec between standard input and standard output.
//   encode [--mode N] [--codepage N]   code-page text in, ASCII with entity references out
//   decode [--codepage N]              text with entity references in, code-page text out
// The code page defaults to 1250, the library's own. Both directions go through UTF-16, so multi-byte
// code pages (65001, 932) work, and both are strict where the library is lenient: input that is not
// text of the code page, a malformed or unknown reference, or a character the code page lacks stops
// the command with the offset (exit 1, nothing on standard output).
#include "ukaz.h"
#include <algorithm>
#include <ctype.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <windows.h>
#include <zrno/strings.h>

namespace {

const char k_navodila[] =
    "usage: zrno sgml encode [--mode N] [--codepage N]\n"
    "       zrno sgml decode [--codepage N]\n"
    "Encodes code-page text from standard input into ASCII with SGML entity references,\n"
    "or decodes them, on standard output. The code page defaults to 1250. decode takes\n"
    "&name; (one of the 1001 names), &#N; and &#xN; for U+0001 to U+10FFFF except the\n"
    "surrogates, and no '&' otherwise; encode takes only text of the code page.\n";

int Uporaba(const char *sporocilo, const char *kaj) {
    return zrno_orodje::NapacnaUporaba(k_navodila, "sgml: %s%s", sporocilo, kaj);
}

bool PreberiVse(std::string &vsebina) {
    char blok[65536];
    size_t n;
    while ((n = fread(blok, 1, sizeof blok, stdin)) > 0)
        vsebina.append(blok, n);
    return !ferror(stdin);
}

int Zavrni(size_t odmik, const char *zakaj, unsigned int kaj = 0) {
    zrno_orodje::Napaka("zrno sgml: ");
    zrno_orodje::Napaka(zakaj, kaj);
    return zrno_orodje::Napaka(" at offset %llu\n", static_cast<unsigned long long>(odmik));
}

// UTF-8 and UTF-7 take neither the best-fit flag nor the question about the default character.
bool Utf(unsigned int kodnastran) { return kodnastran == CP_UTF8 || kodnastran == CP_UTF7; }

// The code units in the code page; false when it lacks one of them (no best-fit look-alike is taken).
bool VKodnoStran(unsigned int kodnastran, const wchar_t *w, int n, std::string &izhod) {
    char b[16];
    BOOL privzeti = FALSE;
    const int d = WideCharToMultiByte(kodnastran, Utf(kodnastran) ? 0 : WC_NO_BEST_FIT_CHARS, w, n, b,
                                      sizeof b, nullptr, Utf(kodnastran) ? nullptr : &privzeti);
    izhod.append(b, d > 0 ? static_cast<size_t>(d) : 0);
    return d > 0 && !privzeti;
}

// A code page the system has and can convert strictly in both directions.
bool Razpolozljiva(unsigned int kodnastran) {
    wchar_t w;
    std::string s;
    return IsValidCodePage(kodnastran) &&
           MultiByteToWideChar(kodnastran, MB_ERR_INVALID_CHARS, "a", 1, &w, 1) == 1 &&
           VKodnoStran(kodnastran, L"a", 1, s);
}

int Dekodiraj(const std::string &vhod, unsigned int kodnastran, std::string &izhod) {
    auto sgml = sgml_unicode + 1; // the records 1 to 1001, sorted by name
    for (size_t i = 0, n = vhod.size(); i < n;) {
        const size_t amp = vhod.find('&', i);
        izhod.append(vhod, i, (amp == std::string::npos ? n : amp) - i);
        if (amp == std::string::npos)
            break;
        size_t j = amp + 1;
        unsigned int vrednost = 0;
        if (j < n && vhod[j] == '#') {
            const bool hex = ++j < n && (vhod[j] == 'x' || vhod[j] == 'X');
            j += hex;
            const size_t stevke = j;
            for (; j < n && (hex ? isxdigit(static_cast<unsigned char>(vhod[j]))
                                 : isdigit(static_cast<unsigned char>(vhod[j])));
                 ++j)
                vrednost = std::min(vrednost * (hex ? 16 : 10) +
                                        (vhod[j] <= '9' ? vhod[j] - '0' : (vhod[j] | 0x20) - 'a' + 10),
                                    0x110000u);
            if (j == stevke)
                return Zavrni(j, "a numeric reference without digits");
            if (j == n || vhod[j] != ';')
                return Zavrni(j, "a numeric reference not ended by ';'");
            if (vrednost == 0 || vrednost > 0x10FFFF || (vrednost >= 0xD800 && vrednost <= 0xDFFF))
                return Zavrni(amp, "a reference to no character");
        } else {
            while (j < n && (isalnum(static_cast<unsigned char>(vhod[j])) || vhod[j] == '.'))
                ++j;
            if (j == n || vhod[j] != ';' || j == amp + 1)
                return Zavrni(amp, "'&' that does not begin a reference");
            const std::string ime = vhod.substr(amp + 1, j - amp - 1);
            auto k =
                std::lower_bound(sgml, sgml + 1001, ime, [](const T_SGML_ENTITETA &e, const std::string &s) {
                    return s.compare(e.ime) > 0;
                });
            if (k == sgml + 1001 || ime != k->ime)
                return Zavrni(amp, "an unknown entity name");
        }
        // The checked reference through the library's decoder into UTF-16, and on into the code page. The
        // decoder keeps a value's low 16 bits only: a character above U+FFFF becomes its pair here.
        RNizU znak;
        wchar_t par[2] = {wchar_t(0xD800 + ((vrednost - 0x10000) >> 10)),
                          wchar_t(0xDC00 + (vrednost & 0x3FF))};
        const unsigned int d =
            vrednost > 0xFFFF ? 2 : znak.NastaviSGML(vhod.data() + amp, unsigned(j + 1 - amp));
        const wchar_t *w =
            d == 2 ? par : reinterpret_cast<const wchar_t *>(static_cast<const unsigned short *>(znak));
        if (!VKodnoStran(kodnastran, w, static_cast<int>(d), izhod))
            return Zavrni(amp, "a character (U+%04X) that the code page lacks",
                          d == 2 ? 0x10000 + ((w[0] - 0xD800u) << 10) + (w[1] - 0xDC00u) : w[0]);
        i = j + 1;
    }
    return 0;
}

int Kodiraj(const std::string &vhod, unsigned int kodnastran, unsigned int nacin, std::string &izhod) {
    const int n = static_cast<int>(vhod.size());
    std::wstring w(vhod.size(), L'\0');
    const int d = n ? MultiByteToWideChar(kodnastran, MB_ERR_INVALID_CHARS, vhod.data(), n, &w[0], n) : 0;
    if (n && !d) {
        // Where the text stops being the code page's: the first place no character of 1 to 4 bytes fits.
        for (int i = 0, m = 1; i < n; i += m) {
            for (m = 1; m <= 4 && i + m <= n &&
                        !MultiByteToWideChar(kodnastran, MB_ERR_INVALID_CHARS, &vhod[i], m, &w[0], 2);)
                ++m;
            if (m > 4 || i + m > n)
                return Zavrni(i, "a byte (0x%02x) that is not text of the code page",
                              static_cast<unsigned char>(vhod[i]));
        }
        return Zavrni(0, "text that the code page refuses");
    }
    // The library's encoder takes a run without zeros; a character above U+FFFF (a surrogate pair) is
    // one numeric reference here, where the encoder would write each unit on its own.
    for (int i = 0; i < d;) {
        int m = i;
        while (m < d && w[m] && !(w[m] >= 0xD800 && w[m] <= 0xDFFF))
            ++m;
        if (m > i) {
            RNizA kos = RNizU::VrniSGML(reinterpret_cast<const unsigned short *>(&w[i]),
                                        static_cast<unsigned int>(m - i), nacin);
            if (kos.JePrazen())
                return zrno_orodje::Napaka("zrno sgml: out of memory\n");
            izhod.append(kos, kos.VrniDolzino());
            i = m;
        } else if (!w[i]) {
            izhod += '\0';
            ++i;
        } else {
            const bool par = w[i] < 0xDC00 && i + 1 < d && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF;
            const unsigned int c = par ? 0x10000 + ((w[i] - 0xD800u) << 10) + (w[i + 1] - 0xDC00u) : w[i];
            char ref[16];
            izhod.append(ref, static_cast<size_t>(snprintf(ref, sizeof ref, "&#x%x;", c)));
            i += par ? 2 : 1;
        }
    }
    return 0;
}

int Izvedi(int argc, char **argv) {
    if (argc < 1)
        return Uporaba("missing direction", "");
    bool kodiraj = !strcmp(argv[0], "encode");
    if (!kodiraj && strcmp(argv[0], "decode"))
        return Uporaba("unknown direction: ", argv[0]);
    unsigned int nacin = 0, kodnastran = 1250;
    for (int i = 1; i < argc; ++i) {
        unsigned int *cilj = nullptr;
        if (kodiraj && !strcmp(argv[i], "--mode"))
            cilj = &nacin;
        else if (!strcmp(argv[i], "--codepage"))
            cilj = &kodnastran;
        else
            return Uporaba("unknown option: ", argv[i]);
        unsigned long long v;
        if (i + 1 >= argc)
            return Uporaba("missing value after ", argv[i]);
        if (!zrno_orodje::Stevilo(argv[++i], 0xFFFFFFFF, &v))
            return Uporaba("not an unsigned number: ", argv[i]);
        *cilj = static_cast<unsigned int>(v);
    }
    char ime[16];
    snprintf(ime, sizeof ime, "%u", kodnastran);
    if (!Razpolozljiva(kodnastran))
        return Uporaba("code page not available on this system: ", ime);

    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::string vhod, izhod;
    if (!PreberiVse(vhod))
        return zrno_orodje::Napaka("zrno sgml: cannot read standard input\n");
    const int r = kodiraj ? Kodiraj(vhod, kodnastran, nacin, izhod) : Dekodiraj(vhod, kodnastran, izhod);
    if (r == 0)
        fwrite(izhod.data(), 1, izhod.size(), stdout); // checked, with the close, as every command's output
    return r;
}

} // namespace

ZRNO_UKAZ(sgml, "encode or decode SGML entity references between standard input and output", k_navodila,
          Izvedi)
