// Every class of the subsystem that owns a system handle, through RSisElement: closing with nothing to
// close, closing twice, and copies that share the handle but never close it (adopting and releasing are
// RSisElement's own).
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <windows.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;
using Predmet = std::unique_ptr<RSisElement>;

struct Lastnik {
    const char *ime;
    std::function<Predmet()> nov; // an object without a handle
    std::function<int(RSisElement &)> odpri;
    std::function<Predmet(RSisElement &)> kopiraj;
    int prazno, prazno2, dvakrat;       // Zapri with nothing ever held (either code), Zapri after Zapri
    std::function<bool(void *)> deluje; // whether a handle still works; null where Wine cannot tell
};

template <class T>
Lastnik Vrsta(const char *ime, T vzorec, std::function<int(T &)> odpri, int prazno, int prazno2, int dvakrat,
              std::function<bool(void *)> deluje) {
    auto nov = [vzorec] { return Predmet(new T(vzorec)); };
    auto odpriT = [odpri](RSisElement &o) { return odpri(dynamic_cast<T &>(o)); };
    auto kopiraj = [](RSisElement &o) { return Predmet(new T(dynamic_cast<T &>(o))); };
    return {ime, nov, odpriT, kopiraj, prazno, prazno2, dvakrat, deluje};
}

int OdpriRpcSs(RServis &s) {
    ROskrbnikServisov m;
    m.Odpri(nullptr, nullptr, SC_MANAGER_CONNECT);
    const int r = s.Odpri(m, "RpcSs", SERVICE_QUERY_STATUS); // a service of every prefix
    m.Zapri();
    return r;
}
bool KljucDeluje(void *h) { return RegFlushKey(static_cast<HKEY>(h)) == ERROR_SUCCESS; }
bool OskrbnikDeluje(void *h) {
    DWORD n = 0;
    return !GetServiceKeyNameA(static_cast<SC_HANDLE>(h), "x", nullptr, &n) &&
           GetLastError() != ERROR_INVALID_HANDLE;
}
bool ServisDeluje(void *h) {
    SERVICE_STATUS s;
    return QueryServiceStatus(static_cast<SC_HANDLE>(h), &s) != 0;
}

} // namespace

TEST(LastnikiRocic, CloseAdoptReleaseAndCopies) {
    // Windows refuses to close the handle -1 (ERROR_INVALID_HANDLE); Wine takes every handle from 0x80000000
    // up for a predefined root, whose close always succeeds. Either way an empty RRegister holds 0 after it.
    const Lastnik lastniki[] = {
        Vrsta<RRegister>(
            "RRegister", {}, [](RRegister &r) { return r.Odpri(HKEY_CURRENT_USER, "Software", KEY_READ); },
            NAP_ROCICA, 0, 1, KljucDeluje),
        Vrsta<RDnevnikNT>(
            "RDnevnikNT", {0, "ZrnoTestSrc"}, [](RDnevnikNT &d) { return d.Odpri(); }, 1, 1, 1, nullptr),
        Vrsta<ROskrbnikServisov>(
            "ROskrbnikServisov", {},
            [](ROskrbnikServisov &m) { return m.Odpri(nullptr, nullptr, SC_MANAGER_CONNECT); }, NAP_ROCICA,
            NAP_ROCICA, NAP_ROCICA, OskrbnikDeluje),
        Vrsta<RServis>("RServis", {}, OdpriRpcSs, NAP_ROCICA, NAP_ROCICA, NAP_ROCICA, ServisDeluje),
    };
    for (const Lastnik &l : lastniki) {
        SCOPED_TRACE(l.ime);
        auto deluje = [&](void *h) { return !l.deluje || l.deluje(h); };
        Predmet a = l.nov();
        const int r = a->Zapri();
        EXPECT_TRUE(r == l.prazno || r == l.prazno2) << r;
        ASSERT_EQ(l.odpri(*a), 0);
        void *h = a->VrniRocico();
        EXPECT_TRUE(a->JeVeljaven() && deluje(h));
        Predmet kopija = l.kopiraj(*a);
        EXPECT_EQ(kopija->VrniRocico(), h);
        kopija.reset();
        EXPECT_TRUE(deluje(h)) << "the destructor does not close";
        EXPECT_EQ(a->Zapri(), 0);
        EXPECT_FALSE(a->JeVeljaven());
        EXPECT_EQ(a->Zapri(), l.dvakrat);
        EXPECT_FALSE(l.deluje && l.deluje(h)) << "closed";
    }
}
