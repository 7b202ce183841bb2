#include "Surov.h"
// winsock2.h brings windows.h, which wincrypt.h needs first.
#include <winsock2.h>

#include <stdio.h>
#include <string.h>
#include <wincrypt.h>

namespace {

SOCKET g_poslusalec = INVALID_SOCKET;
HANDLE g_sprejemnik;
unsigned int g_omejitev;
volatile LONG g_odjemalci;

bool PosljiVse(SOCKET s, const char *p, int n) {
    while (n > 0) {
        const int k = send(s, p, n, 0);
        if (k <= 0)
            return false;
        p += k;
        n -= k;
    }
    return true;
}

DWORD WINAPI Postrezi(void *parameter) {
    const SOCKET s = reinterpret_cast<SOCKET>(parameter);
    char medpomnilnik[65536];
    HCRYPTPROV ponudnik;
    if (!CryptAcquireContextA(&ponudnik, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
        ponudnik = 0;
    int zacetek = 0, konec = 0;
    while (ponudnik) {
        // The request line, from what has come so far and more if needed.
        char *lf;
        while (!(lf = static_cast<char *>(memchr(medpomnilnik + zacetek, '\n', konec - zacetek)))) {
            if (konec - zacetek >= 32)
                goto napacna;
            memmove(medpomnilnik, medpomnilnik + zacetek, konec - zacetek);
            konec -= zacetek;
            zacetek = 0;
            const int k = recv(s, medpomnilnik + konec, sizeof medpomnilnik - konec, 0);
            if (k <= 0)
                goto konec;
            konec += k;
        }
        {
            *lf = 0;
            char *vrstica = medpomnilnik + zacetek;
            zacetek = static_cast<int>(lf + 1 - medpomnilnik);
            if (lf > vrstica && lf[-1] == '\r')
                lf[-1] = 0;
            if (strncmp(vrstica, "MD5 ", 4) || !vrstica[4] ||
                strspn(vrstica + 4, "0123456789") != strlen(vrstica + 4))
                goto napacna;
            unsigned long long dolzina = _strtoui64(vrstica + 4, nullptr, 10);
            if (strlen(vrstica + 4) > 19 || dolzina > g_omejitev) {
                const char odgovor[] = "ERR 413 request over the limit\n";
                PosljiVse(s, odgovor, sizeof odgovor - 1);
                goto konec;
            }
            HCRYPTHASH md5;
            if (!CryptCreateHash(ponudnik, CALG_MD5, 0, 0, &md5))
                goto konec;
            unsigned long long ostanek = dolzina;
            bool cel = true;
            while (ostanek) {
                if (zacetek == konec) {
                    const int k = recv(s, medpomnilnik, sizeof medpomnilnik, 0);
                    if (k <= 0) {
                        cel = false;
                        break;
                    }
                    zacetek = 0;
                    konec = k;
                }
                const DWORD n = static_cast<DWORD>(
                    ostanek < unsigned(konec - zacetek) ? ostanek : unsigned(konec - zacetek));
                CryptHashData(md5, reinterpret_cast<BYTE *>(medpomnilnik + zacetek), n, 0);
                zacetek += n;
                ostanek -= n;
            }
            BYTE zapis[24];
            DWORD velikost = 16;
            CryptGetHashParam(md5, HP_HASHVAL, zapis, &velikost, 0);
            CryptDestroyHash(md5);
            if (!cel)
                goto konec;
            for (int i = 0; i < 8; ++i)
                zapis[16 + i] = static_cast<BYTE>(dolzina >> (8 * i));
            char odgovor[64] = "OK ";
            DWORD znakov = sizeof odgovor - 4;
            CryptBinaryToStringA(zapis, sizeof zapis, CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF, odgovor + 3,
                                 &znakov);
            odgovor[3 + znakov] = '\n';
            if (!PosljiVse(s, odgovor, 4 + static_cast<int>(znakov)))
                goto konec;
        }
    }
    goto konec;
napacna : {
    const char odgovor[] = "ERR 400 malformed request line\n";
    PosljiVse(s, odgovor, sizeof odgovor - 1);
}
konec:
    if (ponudnik)
        CryptReleaseContext(ponudnik, 0);
    closesocket(s);
    InterlockedDecrement(&g_odjemalci);
    return 0;
}

DWORD WINAPI Sprejemaj(void *) {
    for (;;) {
        const SOCKET s = accept(g_poslusalec, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            return 0;
        InterlockedIncrement(&g_odjemalci);
        HANDLE nit = CreateThread(nullptr, 0, Postrezi, reinterpret_cast<void *>(s), 0, nullptr);
        if (nit) {
            CloseHandle(nit);
        } else {
            closesocket(s);
            InterlockedDecrement(&g_odjemalci);
        }
    }
}

} // namespace

unsigned int ZazeniSurovega(unsigned int omejitev) {
    g_omejitev = omejitev;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa))
        return 0;
    g_poslusalec = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in naslov = {};
    naslov.sin_family = AF_INET;
    naslov.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int dolzina = sizeof naslov;
    if (g_poslusalec == INVALID_SOCKET ||
        bind(g_poslusalec, reinterpret_cast<sockaddr *>(&naslov), sizeof naslov) ||
        listen(g_poslusalec, 64) ||
        getsockname(g_poslusalec, reinterpret_cast<sockaddr *>(&naslov), &dolzina))
        return 0;
    g_sprejemnik = CreateThread(nullptr, 0, Sprejemaj, nullptr, 0, nullptr);
    return g_sprejemnik ? ntohs(naslov.sin_port) : 0;
}

void UstaviSurovega() {
    closesocket(g_poslusalec);
    WaitForSingleObject(g_sprejemnik, 5000);
    CloseHandle(g_sprejemnik);
    for (DWORD zacetek = GetTickCount(); g_odjemalci && GetTickCount() - zacetek < 5000;)
        Sleep(1);
}
