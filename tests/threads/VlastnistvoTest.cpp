// Ownership of the handle, the same cases for every waitable class: empty objects, closing twice,
// adopting and releasing, copies that close once, and a stale copy beside a reused handle value.
#include "Pomoc.h"
#include <memory>
#include <vector>
#include <windows.h>

namespace {

bool JeOdprt(void *h) {
    DWORD zastavice;
    return GetHandleInformation(h, &zastavice) != 0;
}

unsigned int __stdcall Prazna(void *) { return 0; }
void *Dogodek() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
void *NovaNit() { return RNit::Odpri(&Prazna, nullptr, NIT_TECE, 0); }

struct DogNit : RDogNit {
    explicit DogNit(void *h) { Uporabi(h, 0, 0); }
};

using Kazalec = std::unique_ptr<RSinhronizator>;
struct Razred {
    std::function<RSinhronizator *(void *)> prevzemi; // an object owning the handle
    std::function<RSinhronizator *(const RSinhronizator &)> kopiraj;
    void *(*rocica)();
};
template <class T> Razred Vrsta(void *(*rocica)()) {
    return {[](void *h) -> RSinhronizator * { return new T(h); },
            [](const RSinhronizator &o) -> RSinhronizator * { return new T(static_cast<const T &>(o)); },
            rocica};
}

} // namespace

TEST(Lastnistvo, EveryWaitableClass) {
    const Razred razredi[] = {
        Vrsta<RSinhronizator>(Dogodek),
        Vrsta<RDogodek>(Dogodek),
        Vrsta<RSemafor>([]() -> void * { return CreateSemaphoreA(nullptr, 0, 1, nullptr); }),
        Vrsta<RNevarenOdsek>([]() -> void * { return CreateMutexA(nullptr, FALSE, nullptr); }),
        Vrsta<RCasomer>([]() -> void * { return CreateWaitableTimerA(nullptr, FALSE, nullptr); }),
        Vrsta<TujaNit>(NovaNit),
        Vrsta<DogNit>(NovaNit)};
    for (const Razred &r : razredi) {
        SCOPED_TRACE(&r - razredi);
        Kazalec a(r.prevzemi(INVALID_HANDLE_VALUE));
        EXPECT_EQ(a->Zapri(), 1) << "nothing to close";
        EXPECT_EQ(a->Zakleni(0), Zrno::NAP_ROCICA) << "not the current process's pseudo-handle";
        void *h = r.rocica();
        a.reset(r.prevzemi(h));
        EXPECT_EQ(a->Zapri(), 0);
        EXPECT_FALSE(JeOdprt(h));
        EXPECT_EQ(a->Zapri(), 1) << "closed twice";

        a.reset(r.prevzemi(h = r.rocica()));
        EXPECT_EQ(a->Odpusti(), h);
        a.reset();
        EXPECT_TRUE(JeOdprt(h)) << "released, not closed";
        a.reset(r.prevzemi(INVALID_HANDLE_VALUE));
        EXPECT_EQ(a->Uporabi(h), 0);
        a.reset();
        EXPECT_FALSE(JeOdprt(h)) << "adopted, then closed by the destructor";

        // Copies: only the last to go closes; assigning over an owner lets go of what it held.
        void *prej = r.rocica();
        a.reset(r.prevzemi(h = r.rocica()));
        Kazalec b(r.kopiraj(*a)), c(r.prevzemi(prej));
        *c = *b;
        EXPECT_FALSE(JeOdprt(prej)) << "its last owner was assigned over";
        a.reset();
        b.reset();
        EXPECT_TRUE(JeOdprt(h));
        c.reset();
        EXPECT_FALSE(JeOdprt(h));

        // A copy closes; the value comes back for a new object; the stale copy must leave it alone.
        a.reset(r.prevzemi(h = r.rocica()));
        b.reset(r.kopiraj(*a));
        EXPECT_EQ(b->Zapri(), 0);
        std::vector<void *> nove;
        for (int i = 0; i < 64 && (nove.empty() || nove.back() != h); ++i)
            nove.push_back(Dogodek());
        EXPECT_EQ(a->Zapri(), Zrno::NAP_ROCICA);
        a.reset();
        b.reset();
        for (void *n : nove)
            EXPECT_EQ(RSisElement::Zapri(n), 0) << "a stale copy closed a reused value";
    }
    RSemafor ze(0u, 1u, "Zrno.Niti.Tip");
    RDogodek drugTip(0u, "Zrno.Niti.Tip"); // a name taken by another kind of object: creation fails
    EXPECT_EQ(drugTip.Zakleni(0), Zrno::NAP_ROCICA);
    EXPECT_EQ(drugTip.Odkleni(), Zrno::NAP_ROCICA);
}
