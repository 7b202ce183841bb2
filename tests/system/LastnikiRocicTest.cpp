// Every class of the subsystem that owns a system handle closes it in its own Zapri: closing with nothing
// to close, closing twice, and copies that share the handle but never close it (adopting and releasing
// are RSisElement's own).
#include <gtest/gtest.h>
#include <windows.h>
#include <zrno/system.h>

namespace {

using namespace Zrno;

// prazno and prazno2: Zapri with nothing ever held (either code); dvakrat: Zapri after Zapri.
template <class T, class Odpri>
void Preveri(const char *ime, Odpri odpri, int prazno, int prazno2, int dvakrat, bool (*deluje)(void *)) {
    SCOPED_TRACE(ime);
    T a;
    const int r = a.Zapri();
    EXPECT_TRUE(r == prazno || r == prazno2) << r;
    ASSERT_EQ(odpri(a), 0);
    void *h = a.VrniRocico();
    EXPECT_TRUE(a.JeVeljaven() && deluje(h));
    delete new T(a);
    EXPECT_TRUE(deluje(h)) << "the destructor does not close";
    EXPECT_EQ(a.Zapri(), 0);
    EXPECT_FALSE(a.JeVeljaven());
    EXPECT_EQ(a.Zapri(), dvakrat);
    EXPECT_FALSE(deluje(h)) << "closed";
}

bool ServisDeluje(void *h) {
    SERVICE_STATUS s;
    return QueryServiceStatus(static_cast<SC_HANDLE>(h), &s) != 0;
}

} // namespace

// Windows refuses to close the handle -1 (ERROR_INVALID_HANDLE); Wine takes every handle from 0x80000000 up
// for a predefined root, whose close always succeeds. Either way an empty RRegister holds 0 after it.
TEST(LastnikiRocic, CloseTwiceAndCopies) {
    Preveri<RRegister>(
        "RRegister", [](RRegister &r) { return r.Odpri(HKEY_CURRENT_USER, "Software", KEY_READ); },
        NAP_ROCICA, 0, 1, [](void *h) { return RegFlushKey(static_cast<HKEY>(h)) == ERROR_SUCCESS; });
    Preveri<ROskrbnikServisov>(
        "ROskrbnikServisov",
        [](ROskrbnikServisov &m) { return m.Odpri(nullptr, nullptr, SC_MANAGER_CONNECT); }, NAP_ROCICA,
        NAP_ROCICA, NAP_ROCICA,
        [](void *h) {
            DWORD n = 0;
            return !GetServiceKeyNameA(static_cast<SC_HANDLE>(h), "x", nullptr, &n) &&
                   GetLastError() != ERROR_INVALID_HANDLE;
        });
    ROskrbnikServisov m;
    ASSERT_EQ(m.Odpri(nullptr, nullptr, SC_MANAGER_CONNECT), 0);
    Preveri<RServis>(
        "RServis", [&](RServis &s) { return s.Odpri(m, "RpcSs", SERVICE_QUERY_STATUS); }, // in every prefix
        NAP_ROCICA, NAP_ROCICA, NAP_ROCICA, ServisDeluje);
    m.Zapri();
}
