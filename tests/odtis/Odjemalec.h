// The client side of the sample service's tests: requests over the library's sockets, answers read
// line by line, and the digest and length of an answer checked against RMD5 on this side.
#ifndef ODTIS_TEST_ODJEMALEC_H
#define ODTIS_TEST_ODJEMALEC_H

#include <string>
#include <vector>
#include <zrno/digests.h>
#include <zrno/streams.h>

namespace odtis_test {

class Odjemalec {
  public:
    explicit Odjemalec(unsigned int vrata) {
        m_povezan = m_vticnica.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0) >= 0 &&
                    m_vticnica.Povezi("127.0.0.1", vrata) >= 0;
    }
    ~Odjemalec() { m_vticnica.Zapri(); }
    Odjemalec(const Odjemalec &) = delete;
    Odjemalec &operator=(const Odjemalec &) = delete;

    bool JePovezan() const { return m_povezan; }
    bool Poslji(const void *podatki, size_t n) {
        return m_vticnica.Zapisi(podatki, static_cast<unsigned int>(n)) == n;
    }
    bool Poslji(const std::string &s) { return Poslji(s.data(), s.size()); }
    /// The request line and the data.
    bool Zahtevaj(const std::vector<unsigned char> &podatki) {
        return Poslji("MD5 " + std::to_string(podatki.size()) + "\n") &&
               Poslji(podatki.data(), podatki.size());
    }
    /// The next line without its LF; "<closed>" followed by what came when the connection ended first.
    std::string Vrstica() {
        std::string s;
        char znak;
        while (s.size() < 4096 && m_vticnica.Preberi(&znak, 1) == 1) {
            if (znak == '\n')
                return s;
            s += znak;
        }
        return "<closed>" + s;
    }
    RVticnica &Vticnica() { return m_vticnica; }

  private:
    RVticnica m_vticnica;
    bool m_povezan;
};

inline std::string Hex(const unsigned char *b, size_t n) {
    static const char cifre[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += {cifre[b[i] >> 4], cifre[b[i] & 15]};
    return s;
}

inline std::string Md5(const std::vector<unsigned char> &podatki) {
    RMD5 md5;
    md5.Izracunaj(podatki.data(), static_cast<unsigned int>(podatki.size()));
    md5.Zakljuci();
    return Hex(md5.Vrni().Bajti, 16);
}

/// Empty when the answer is "OK " with the Base64 of the data's MD5 and length; else what is wrong.
inline std::string PreveriOdgovor(const std::string &odgovor, const std::vector<unsigned char> &podatki) {
    if (odgovor.compare(0, 3, "OK ") != 0)
        return "not OK: " + odgovor;
    unsigned char zapis[64];
    RBase64 kodek;
    bool konec;
    if (odgovor.size() > 3 + 40 || kodek.DeKodiraj(odgovor.c_str() + 3, zapis, konec) != 24)
        return "not a 24-byte record: " + odgovor;
    unsigned long long dolzina = 0;
    for (int i = 7; i >= 0; --i)
        dolzina = dolzina << 8 | zapis[16 + i];
    if (dolzina != podatki.size())
        return "length " + std::to_string(dolzina) + " instead of " + std::to_string(podatki.size());
    if (Hex(zapis, 16) != Md5(podatki))
        return "MD5 " + Hex(zapis, 16) + " instead of " + Md5(podatki);
    return {};
}

} // namespace odtis_test

#endif
