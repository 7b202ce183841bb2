// Handle ownership, one table over every class that holds a system handle; stale copies are checked
// against values the system hands out again. Each class's answers are its own rules.
#include "threads/Pomoc.h"
#include <memory>
#include <windows.h>
#include <zrno/frame.h>
#include <zrno/streams.h>
#include <zrno/system.h>

namespace {

constexpr int ROC = Zrno::NAP_ROCICA;

void *Dogodek() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
void *Semafor() { return CreateSemaphoreA(nullptr, 0, 1, nullptr); }
void *Mutex() { return CreateMutexA(nullptr, FALSE, nullptr); }
void *Casomer() { return CreateWaitableTimerA(nullptr, FALSE, nullptr); }
unsigned int __stdcall Prazna(void *) { return 0; }
void *NovaNit() { return RNit::Odpri(&Prazna, nullptr, NIT_TECE, 0); }
void *Nul() { return CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, 0, OPEN_EXISTING, 0, 0); }
WIN32_FIND_DATAA g_najdena; // what the probes get back, unread
SERVICE_STATUS g_status;
DWORD g_zastavice;
void *Iskanje() { return FindFirstFileA("C:\\windows\\*", &g_najdena); }
HKEY g_kljuc;
void *Kljuc() { return RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &g_kljuc) ? 0 : g_kljuc; }
void *Oskrbnik() { return OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT); }
void *Servis() { // RpcSs is in every prefix
    static SC_HANDLE const oskrbnik = static_cast<SC_HANDLE>(Oskrbnik());
    return OpenServiceA(oskrbnik, "RpcSs", SERVICE_QUERY_STATUS);
}
void *VirDogodkov() { return RegisterEventSourceA(nullptr, "Zrno"); }
bool Nevidna(void *) { return true; }
bool Jedro(void *h) { return GetHandleInformation(h, &g_zastavice) != 0; }
// Wine's FindClose takes a closed search.
bool IskanjeTece(void *h) { return FindNextFileA(h, &g_najdena) || GetLastError() == ERROR_NO_MORE_FILES; }
bool KljucOdprt(void *h) { return RegFlushKey(static_cast<HKEY>(h)) == ERROR_SUCCESS; }
bool OskrbnikOdprt(void *h) {
    return !GetServiceKeyNameA(static_cast<SC_HANDLE>(h), "x", nullptr, &(g_zastavice = 0)) &&
           GetLastError() != ERROR_INVALID_HANDLE;
}
bool ServisOdprt(void *h) { return QueryServiceStatus(static_cast<SC_HANDLE>(h), &g_status); }

// A socket and a cached disk file seen through the suite's handle operations (a socket is a handle).
void *Rocica(unsigned int s) { return reinterpret_cast<void *>(static_cast<INT_PTR>(static_cast<int>(s))); }
struct Vticnica : RVticnica {
    int Uporabi(void *h) {
        return RVticnica::Uporabi(static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(h)));
    }
    void *Odpusti() { return Rocica(RVticnica::Odpusti()); }
    void *VrniRocico() const { return Rocica(Vrni()); }
};
void *NovaVticnica() {
    RVticnica v;
    return v.Odpri(RVticnica::DOMENA_INET, RVticnica::VRSTA_TOK, 0), Rocica(v.Odpusti());
}
struct MedFiz : RMedFizDatoteka {
    using RMedFizDatoteka::RMedFizDatoteka;
    void *VrniRocico() const { return dynamic_cast<RFizDatoteka &>(*VrniDatoteko()).VrniRocico(); }
};

// Class, handle maker, open probe (Nevidna: Wine's dummy event source cannot tell), shared (last copy
// closes), Zapri's answer when empty (a service handle still goes to the manager) and a stale copy's
// (0: the closer could take a reused value). A closed key holds 0, others -1.
template <class R, void *(*N)(), bool (*O)(void *) = Nevidna, bool D = false, int P = 1, int S = D ? ROC : 0>
struct V {
    using T = R;
    static constexpr bool deljena = D, vidna = O != Nevidna;
    static constexpr int prazno = P, zastarela = S;
    static constexpr INT_PTR zaprta = std::is_same_v<R, RRegister> ? 0 : -1;
    static void *Nova() { return N(); }
    static bool Odprta(void *h) { return O(h); }
    static T *Nov() {
        if constexpr (std::is_constructible_v<T, void *>)
            return new T(INVALID_HANDLE_VALUE);
        else
            return new T;
    }
    static void Zapri(void *h) {
        std::unique_ptr<T> o(Nov());
        o->Uporabi(h), o->Zapri();
    }
};
template <class T> class Lastnistvo : public testing::Test {};
using Razredi =
    testing::Types<V<RSisElement, Dogodek, Jedro>, V<RIskalnikDatotek, Iskanje, IskanjeTece>,
                   V<RSinhronizator, Dogodek, Jedro, 1>, V<RDogodek, Dogodek, Jedro, 1>,
                   V<RSemafor, Semafor, Jedro, 1>, V<RNevarenOdsek, Mutex, Jedro, 1>,
                   V<RCasomer, Casomer, Jedro, 1>, V<Nit, NovaNit, Jedro, 1>, V<RDogNit, NovaNit, Jedro, 1>,
                   V<RFizDatoteka, Nul, Jedro, 1>, V<MedFiz, Nul, Jedro, 1>, V<RSisTokPodatkov, Nul, Jedro>,
                   V<Vticnica, NovaVticnica, Jedro, 0, 1, Zrno::NAP_ZAPIRANJE>,
                   V<RRegister, Kljuc, KljucOdprt>, V<ROskrbnikServisov, Oskrbnik, OskrbnikOdprt, 0, ROC>,
                   V<RServis, Servis, ServisOdprt, 0, ROC>, V<RDnevnikNT, VirDogodkov>>;
TYPED_TEST_SUITE(Lastnistvo, Razredi);

} // namespace

TYPED_TEST(Lastnistvo, CloseAdoptRelease) {
    using V = TypeParam;
    using T = typename V::T;
    std::unique_ptr<T> a(V::Nov());
    const int prvic = a->Zapri(); // a registry key's -1 goes to the system (Wine: a root, which closes)
    EXPECT_TRUE(prvic == V::prazno || (std::is_same_v<T, RRegister>)) << prvic;
    EXPECT_EQ(a->VrniRocico(), reinterpret_cast<void *>(V::zaprta));
    EXPECT_EQ(a->Zapri(), V::prazno);
    if constexpr (!std::is_same_v<T, Vticnica>) { // a socket may be 0
        a->Uporabi(nullptr);
        EXPECT_EQ(a->Zapri(), V::prazno) << "0 is no handle either";
    }
    if constexpr (std::is_base_of_v<RSinhronizator, T>) {
        EXPECT_EQ(std::unique_ptr<T>(V::Nov())->Zakleni(0), ROC) << "not the process's pseudo-handle";
    }

    void *h = V::Nova(), *g = V::Nova();
    ASSERT_TRUE(V::Odprta(h) && V::Odprta(g));
    EXPECT_EQ(a->Uporabi(g) + a->Uporabi(h), 0);
    EXPECT_TRUE(a->Odpusti() == h && !a->JeVeljaven());
    EXPECT_TRUE(V::Odprta(h) && V::Odprta(g)) << "neither adopting another nor releasing closes";
    EXPECT_EQ((Izidi{a->Uporabi(h), a->Zapri()}), Izidi(2, 0));
    EXPECT_EQ(a->VrniRocico(), reinterpret_cast<void *>(V::zaprta));
    EXPECT_FALSE(V::vidna && V::Odprta(h));
    EXPECT_EQ(a->Zapri(), V::prazno) << "closed twice";
    a->Uporabi(g);
    a.reset();
    EXPECT_EQ(V::Odprta(g), !V::deljena || !V::vidna) << "only a sharing class's destructor closes";
    if (!V::deljena)
        V::Zapri(g);
}

TYPED_TEST(Lastnistvo, CopiesAndStaleValues) {
    using V = TypeParam;
    using T = typename V::T;
    void *h = V::Nova(), *prej = V::Nova();
    std::unique_ptr<T> a(V::Nov()), c(V::Nov());
    a->Uporabi(h);
    c->Uporabi(prej);
    std::unique_ptr<T> b(new T(*a));
    *c = *b;
    EXPECT_EQ(c->VrniRocico(), h);
    EXPECT_EQ(V::Odprta(prej), !V::deljena || !V::vidna) << "assigned over its last owner";
    EXPECT_EQ(b->Odpusti(), h);
    a.reset(), b.reset();
    EXPECT_TRUE(V::Odprta(h)) << "a copy still holds it";
    c.reset();
    EXPECT_EQ(V::Odprta(h), !V::deljena || !V::vidna) << "the last copy went";
    if (!V::deljena)
        V::Zapri(h), V::Zapri(prej);
    if (!V::zastarela)
        return;
    // A copy closes; the value comes back for another object; the stale copy must leave it alone.
    a.reset(V::Nov());
    a->Uporabi(h = V::Nova());
    b.reset(new T(*a));
    EXPECT_EQ(b->Zapri(), 0);
    EXPECT_TRUE(a->JeVeljaven()) << "the original still names the closed value";
    std::vector<void *> nove;
    for (int i = 0; i < 64 && (nove.empty() || nove.back() != h); ++i)
        nove.push_back(Dogodek());
    EXPECT_EQ(a->Zapri(), V::zastarela);
    if (V::deljena && nove.back() == h) { // adopted anew, the reused value is the stale object's own
        EXPECT_EQ(a->Uporabi(h) + a->Zapri(), 0);
        nove.pop_back();
    }
    a.reset(), b.reset();
    for (void *n : nove)
        EXPECT_EQ(RSisElement::Zapri(n), 0) << "a stale copy closed a reused value";
}

TEST(RSisElement, DuplicatesAndPipePairCopies) {
    RSisElement e(Dogodek()), stara(e);
    void *kopija = nullptr;
    ASSERT_EQ(e.Podvoji(true, &kopija), 0);
    EXPECT_TRUE(GetHandleInformation(kopija, &g_zastavice) && (g_zastavice & HANDLE_FLAG_INHERIT));
    EXPECT_EQ(RSisElement::Zapri(kopija) + e.Zapri(), 0) << "the object keeps its own handle";
    EXPECT_EQ(RSisElement::Podvoji(stara, false, &kopija), Zrno::NAP_ROCICA) << "a copy of a closed handle";
    EXPECT_EQ(kopija, INVALID_HANDLE_VALUE);
    RSemafor ze(0u, 1u, "Zrno.Lastnistvo.Tip");
    RDogodek drugTip(0u, "Zrno.Lastnistvo.Tip"); // a name of another kind of object: creation fails
    EXPECT_EQ((Izidi{drugTip.Zakleni(0), drugTip.Odkleni()}), Izidi(2, ROC));

    // A pipe pair's copies share both ends, and neither destructor closes.
    void *p = Nul(), *r = Dogodek();
    RKanal c;
    auto a = std::make_unique<RKanal>(p, r), b = std::make_unique<RKanal>(*a);
    c = *b, a.reset(), b.reset();
    EXPECT_EQ(std::make_pair(c.Pisanje.VrniRocico(), c.Branje.VrniRocico()), std::make_pair(p, r));
    EXPECT_EQ(c.Pisanje.Zapri() + c.Branje.Zapri(), 0);
}
