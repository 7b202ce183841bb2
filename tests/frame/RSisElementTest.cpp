// The handle owners of the frame, one table: RSisElement over an event, RIskalnikDatotek over a search.
// Neither destructor closes; copies name the same raw handle.
#include "ZacasniImenik.h"
#include <functional>
#include <memory>
#include <zrno/frame.h>

TEST(RSisElement, EveryOwnerTheSameWay) {
    ZacasniImenik imenik;
    imenik.Ustvari("a.txt");
    struct Vrsta {
        std::function<RSisElement *()> nov;
        std::function<void *(RSisElement &)> odpri;
        std::function<bool(void *)> odprt; // asks the system (Wine's FindClose accepts a closed search)
    } const vrste[] = {
        {[] { return new RSisElement; },
         [](RSisElement &) { return CreateEventA(nullptr, TRUE, FALSE, nullptr); },
         [](void *h, DWORD a = 0) { return GetHandleInformation(h, &a) != 0; }},
        {[] { return new RIskalnikDatotek; },
         [&](RSisElement &e) {
             static_cast<RIskalnikDatotek &>(e).Odpri(imenik.Pot("*").c_str());
             return e.Odpusti();
         },
         [](void *h) {
             WIN32_FIND_DATAA z;
             return FindNextFileA(h, &z) || GetLastError() == ERROR_NO_MORE_FILES;
         }},
    };
    for (const Vrsta &v : vrste) {
        std::unique_ptr<RSisElement> e(v.nov()), kopija(v.nov());
        EXPECT_EQ(e->Zapri(), 1) << "nothing to close";
        void *a = v.odpri(*e), *b = v.odpri(*e);
        EXPECT_EQ(e->Uporabi(a) + e->Uporabi(b), 0);
        EXPECT_EQ(e->Zapri(), 0) << "adopting another handle neither closes nor releases the first";
        EXPECT_EQ(e->Zapri(), 1) << "closed twice";
        e->Uporabi(a);
        EXPECT_EQ(e->Odpusti(), a);
        EXPECT_FALSE(e->JeVeljaven());
        e->Uporabi(a);
        *kopija = *e;
        e.reset();
        EXPECT_TRUE(v.odprt(a)) << "no destructor closed it";
        EXPECT_FALSE(v.odprt(b));
        EXPECT_EQ(kopija->VrniRocico(), a);
        EXPECT_EQ(kopija->Zapri(), 0);
    }
    EXPECT_EQ(RSisElement(nullptr).Zapri(), 1) << "0 is no handle either";
}

TEST(RSisElement, StaleCopiesAndDuplicates) {
    RSisElement prvi(CreateEventA(nullptr, TRUE, FALSE, nullptr)), drugi(prvi);
    EXPECT_EQ(drugi.Zapri(), 0);
    EXPECT_EQ(prvi.Zapri(), Zrno::NAP_ROCICA) << "the original still names the now closed handle";
    EXPECT_TRUE(prvi.JeVeljaven()) << "a failed close keeps the handle";

    RSisElement e(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    void *kopija = nullptr;
    ASSERT_EQ(e.Podvoji(true, &kopija), 0);
    DWORD zastavice = 0;
    EXPECT_TRUE(GetHandleInformation(kopija, &zastavice) && (zastavice & HANDLE_FLAG_INHERIT));
    EXPECT_EQ(RSisElement::Zapri(kopija), 0);
    EXPECT_EQ(e.Zapri(), 0) << "the object keeps its own handle";
    EXPECT_EQ(RSisElement::Podvoji(prvi, false, &kopija), Zrno::NAP_ROCICA);
    EXPECT_EQ(kopija, INVALID_HANDLE_VALUE);
}
