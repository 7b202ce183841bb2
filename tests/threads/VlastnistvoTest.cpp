// Handle ownership, alike for every waitable class: closing, adopting, releasing, copies, reused values.
#include "Pomoc.h"
#include <memory>
#include <windows.h>

static bool JeOdprt(void *h) {
    DWORD zastavice;
    return GetHandleInformation(h, &zastavice) != 0;
}

static unsigned int __stdcall Prazna(void *) { return 0; }
static void *Dogodek() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
static void *NovaNit() { return RNit::Odpri(&Prazna, nullptr, NIT_TECE, 0); }

struct DogNit : RDogNit {
    explicit DogNit(void *h) { Uporabi(h, 0, 0); }
};

// Destroys the object and tells whether its handle is still open.
template <class T> bool OdprtPo(std::unique_ptr<T> &o, void *h) { return o.reset(), JeOdprt(h); }

template <class T> void Lastnistvo(void *(*rocica)()) {
    SCOPED_TRACE(typeid(T).name());
    std::unique_ptr<T> a(new T(INVALID_HANDLE_VALUE));
    EXPECT_EQ((Izidi{a->Zapri(), a->Zakleni(0)}), (Izidi{1, Zrno::NAP_ROCICA}))
        << "nothing to close, and not the current process's pseudo-handle";
    void *h = rocica();
    a.reset(new T(h));
    EXPECT_EQ((Izidi{a->Zapri(), JeOdprt(h), a->Zapri()}), (Izidi{0, 0, 1})) << "closed, then closed twice";

    a.reset(new T(h = rocica()));
    EXPECT_EQ(a->Odpusti(), h);
    EXPECT_TRUE(OdprtPo(a, h)) << "released, not closed";
    a.reset(new T(INVALID_HANDLE_VALUE));
    EXPECT_EQ(a->Uporabi(h), 0);
    EXPECT_FALSE(OdprtPo(a, h)) << "adopted, then closed by the destructor";

    // Copies: only the last to go closes; assigning over an owner lets go of what it held.
    void *prej = rocica();
    a.reset(new T(h = rocica()));
    decltype(a) b(new T(*a)), c(new T(prej));
    *c = *b;
    EXPECT_FALSE(JeOdprt(prej)) << "its last owner was assigned over";
    EXPECT_TRUE(OdprtPo(a, h) && OdprtPo(b, h));
    EXPECT_FALSE(OdprtPo(c, h));

    // A copy closes; the value comes back for a new object; the stale copy must leave it alone.
    a.reset(new T(h = rocica()));
    b.reset(new T(*a));
    EXPECT_EQ(b->Zapri(), 0);
    std::vector<void *> nove;
    for (int i = 0; i < 64 && (nove.empty() || nove.back() != h); ++i)
        nove.push_back(Dogodek());
    EXPECT_EQ(a->Zapri(), Zrno::NAP_ROCICA);
    a.reset(), b.reset();
    for (void *n : nove)
        EXPECT_EQ(RSisElement::Zapri(n), 0) << "a stale copy closed a reused value";
}

TEST(Lastnistvo, EveryWaitableClass) {
    Lastnistvo<RSinhronizator>(Dogodek);
    Lastnistvo<RDogodek>(Dogodek);
    Lastnistvo<RSemafor>([]() -> void * { return CreateSemaphoreA(nullptr, 0, 1, nullptr); });
    Lastnistvo<RNevarenOdsek>([]() -> void * { return CreateMutexA(nullptr, FALSE, nullptr); });
    Lastnistvo<RCasomer>([]() -> void * { return CreateWaitableTimerA(nullptr, FALSE, nullptr); });
    Lastnistvo<Nit>(NovaNit);
    Lastnistvo<DogNit>(NovaNit);
    RSemafor ze(0u, 1u, "Zrno.Niti.Tip");
    RDogodek drugTip(0u, "Zrno.Niti.Tip"); // a name taken by another kind of object: creation fails
    EXPECT_EQ((Izidi{drugTip.Zakleni(0), drugTip.Odkleni()}), Izidi(2, Zrno::NAP_ROCICA));
}
