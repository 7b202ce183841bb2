// Ownership of the handle, the same cases for every waitable class: empty objects, closing twice,
// adopting and releasing, copies that close once, and a stale copy beside a reused handle value.
#include "Pomoc.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace niti;

namespace {

bool JeOdprt(void *h) {
    DWORD zastavice;
    return GetHandleInformation(h, &zastavice) != 0;
}

unsigned int __stdcall Prazna(void *) { return 0; }

class DogNit : public RDogNit {};

using Kazalec = std::unique_ptr<RSinhronizator>;

struct Razred {
    const char *ime;
    std::function<RSinhronizator *(void *)> prevzemi; // an object owning the handle
    std::function<RSinhronizator *(const RSinhronizator &)> kopiraj;
    std::function<void *()> rocica;
};

template <class T> Razred Vrsta(const char *ime, std::function<void *()> rocica) {
    return {ime, [](void *h) -> RSinhronizator * { return new T(h); },
            [](const RSinhronizator &o) -> RSinhronizator * { return new T(static_cast<const T &>(o)); }, rocica};
}

void *Dogodek() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

const Razred k_razredi[] = {
    Vrsta<RSinhronizator>("RSinhronizator", Dogodek),
    Vrsta<RDogodek>("RDogodek", Dogodek),
    Vrsta<RSemafor>("RSemafor", [] { return CreateSemaphoreA(nullptr, 0, 1, nullptr); }),
    Vrsta<RNevarenOdsek>("RNevarenOdsek", [] { return CreateMutexA(nullptr, FALSE, nullptr); }),
    Vrsta<RCasomer>("RCasomer", [] { return CreateWaitableTimerA(nullptr, FALSE, nullptr); }),
    Vrsta<TujaNit>("RNit", [] { return RNit::Odpri(&Prazna, nullptr, NIT_TECE, 0); }),
    {"RDogNit",
     [](void *h) -> RSinhronizator * {
         auto *n = new DogNit;
         n->Uporabi(h, 0, 0);
         return n;
     },
     [](const RSinhronizator &o) -> RSinhronizator * { return new DogNit(static_cast<const DogNit &>(o)); },
     [] { return RNit::Odpri(&Prazna, nullptr, NIT_TECE, 0); }},
};

} // namespace

TEST(Lastnistvo, EveryWaitableClass) {
    for (const Razred &r : k_razredi) {
        SCOPED_TRACE(r.ime);
        Kazalec prazen(r.prevzemi(INVALID_HANDLE_VALUE));
        EXPECT_EQ(prazen->Zapri(), 1) << "nothing to close";
        EXPECT_EQ(prazen->Zakleni(0), Zrno::NAP_ROCICA) << "not the current process's pseudo-handle";

        void *h = r.rocica();
        { Kazalec a(r.prevzemi(h)); }
        EXPECT_FALSE(JeOdprt(h)) << "the destructor closes";

        Kazalec a(r.prevzemi(h = r.rocica()));
        EXPECT_EQ(a->Zapri(), 0);
        EXPECT_FALSE(JeOdprt(h));
        EXPECT_EQ(a->Zapri(), 1) << "closed twice";

        a.reset(r.prevzemi(h = r.rocica()));
        EXPECT_EQ(a->Odpusti(), h);
        EXPECT_FALSE(a->JeVeljaven());
        a.reset();
        EXPECT_TRUE(JeOdprt(h)) << "released, not closed";
        a.reset(r.prevzemi(INVALID_HANDLE_VALUE));
        EXPECT_EQ(a->Uporabi(h), 0) << "adopted";
        a.reset();
        EXPECT_FALSE(JeOdprt(h));

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
}

TEST(Lastnistvo, FailedCreationHasNoHandle) {
    RSinhronizator prazen;
    EXPECT_EQ(prazen.Postavi(), Zrno::NAP_NIPODPRTO);
    RSemafor ze(0u, 1u, "Zrno.Niti.Tip");
    RDogodek drugTip(0u, "Zrno.Niti.Tip"); // a name taken by another kind of object: creation fails
    EXPECT_EQ(drugTip.VrniRocico(), nullptr);
    EXPECT_EQ(drugTip.Odkleni(), Zrno::NAP_ROCICA);
    EXPECT_EQ(drugTip.Zakleni(0), Zrno::NAP_ROCICA);
    RDogodek a(0u, "Zrno.Niti.Isti"), b(0u, "Zrno.Niti.Isti");
    EXPECT_EQ(a.Odkleni(), 0);
    EXPECT_EQ(b.Zakleni(0), 0) << "one named event behind both";
}
