// The handle root with real event handles: adoption, release, closing, duplication and raw copies.
#include <windows.h>
#include <gtest/gtest.h>
#include <zrno/frame.h>

namespace {

void *const NIC = INVALID_HANDLE_VALUE;

bool JeOdprt(void *h) {
    DWORD zastavice;
    return GetHandleInformation(h, &zastavice) != 0;
}

} // namespace

TEST(RSisElement, EmptyObjects) {
    RSisElement prazen;
    EXPECT_FALSE(prazen.JeVeljaven());
    EXPECT_EQ(prazen.VrniRocico(), NIC);
    EXPECT_EQ(prazen.Zapri(), 1);
    EXPECT_EQ(prazen.Odpusti(), NIC);

    RSisElement nic(nullptr);
    EXPECT_FALSE(nic.JeVeljaven());
    EXPECT_EQ(nic.Zapri(), 1);
    EXPECT_EQ(static_cast<void *>(nic), nullptr) << "0 stays in place";
}

TEST(RSisElement, AdoptCloseRelease) {
    HANDLE a = CreateEventA(nullptr, TRUE, FALSE, nullptr), b = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    RSisElement e;
    EXPECT_EQ(e.Uporabi(a), 0);
    EXPECT_EQ(e.Uporabi(b), 0);
    EXPECT_TRUE(JeOdprt(a)) << "adopting another handle neither closes nor releases the first";
    EXPECT_EQ(e.Zapri(), 0);
    EXPECT_FALSE(JeOdprt(b));
    EXPECT_EQ(e.Zapri(), 1) << "second close has nothing to do";

    e.Uporabi(a);
    EXPECT_EQ(e.Odpusti(), a);
    EXPECT_FALSE(e.JeVeljaven());
    EXPECT_TRUE(JeOdprt(a)) << "released, not closed";
    {
        RSisElement kratek(a);
    }
    EXPECT_TRUE(JeOdprt(a)) << "the root's destructor leaves the handle open";
    EXPECT_EQ(RSisElement::Zapri(a), 0);
    EXPECT_EQ(RSisElement::Zapri(a), Zrno::NAP_ROCICA) << "static form closes without a validity test";
}

TEST(RSisElement, CopiesShareTheRawHandle) {
    RSisElement prvi(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    RSisElement drugi(prvi), tretji;
    tretji = prvi;
    EXPECT_EQ(tretji.VrniRocico(), prvi.VrniRocico());
    EXPECT_EQ(drugi.Zapri(), 0);
    EXPECT_TRUE(prvi.JeVeljaven()) << "the original still names the now closed handle";
    EXPECT_EQ(prvi.Zapri(), Zrno::NAP_ROCICA);
    EXPECT_TRUE(prvi.JeVeljaven()) << "a failed close keeps the handle";
}

TEST(RSisElement, Podvoji) {
    RSisElement e(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    void *kopija = nullptr;
    ASSERT_EQ(e.Podvoji(true, &kopija), 0);
    DWORD zastavice = 0;
    ASSERT_TRUE(GetHandleInformation(kopija, &zastavice));
    EXPECT_TRUE(zastavice & HANDLE_FLAG_INHERIT);
    SetEvent(kopija);
    EXPECT_EQ(WaitForSingleObject(e.VrniRocico(), 0), WAIT_OBJECT_0) << "same event object";
    EXPECT_EQ(RSisElement::Zapri(kopija), 0);
    EXPECT_TRUE(JeOdprt(e.VrniRocico())) << "the object keeps its own handle";
    EXPECT_EQ(e.Zapri(), 0);

    // No validity test first: the system decides. A closed value fails...
    kopija = nullptr;
    EXPECT_EQ(e.Podvoji(false, &kopija), 0) << "INVALID_HANDLE_VALUE is the current-process pseudo-handle";
    RSisElement::Zapri(kopija);
    void *mrtev = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(mrtev);
    kopija = nullptr;
    EXPECT_EQ(RSisElement::Podvoji(mrtev, false, &kopija), Zrno::NAP_ROCICA);
    EXPECT_EQ(kopija, NIC);
}
