// Waitable timers: relative, absolute and periodic due times, the completion routine on the arming
// thread and never after the object is gone, and the timer thread RCasovnaPast.
#include "Pomoc.h"
#include <windows.h>

namespace {

__int64 Zdaj100ns() {
    FILETIME f;
    GetSystemTimeAsFileTime(&f);
    return (static_cast<__int64>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// Counts its alarms (through a counter that may outlive it) and notes the thread and time of the last.
struct Stevec : RCasomer {
    explicit Stevec(int *alarmov) : m_alarmov(alarmov) {}
    int *m_alarmov;
    unsigned int nit = 0;
    __int64 cas = 0;
    void ObAlarmu(__int64 c) override { ++*m_alarmov, nit = GetCurrentThreadId(), cas = c; }
};

} // namespace

TEST(RCasomer, RelativeAbsoluteAndPeriodicDueTimes) {
    RCasomer t, rocni(RCasomer::ROCNI | 1);
    for (__int64 rok : {Zdaj100ns() / 10000 + 300, -300LL}) { // absolute (ms since 1601), relative
        EXPECT_EQ(t.Nastavi(rok, 0), 0);
        EXPECT_EQ(t.Zakleni(0), Zrno::NAP_CASOVNIROK) << rok;
        EXPECT_EQ(t.Zakleni(ROK), 0) << rok;
        EXPECT_EQ(t.Zakleni(0), Zrno::NAP_CASOVNIROK) << "a synchronisation timer resets on the wait";
    }
    EXPECT_EQ(t.Nastavi(-10, 10), 0);
    for (int sprozitev = 0; sprozitev < 3; ++sprozitev)
        ASSERT_EQ(t.Zakleni(ROK), 0) << sprozitev;
    EXPECT_EQ(t.Prekini(), 0);
    t.Zakleni(0); // a firing that came between the last wait and the cancel
    EXPECT_EQ(t.Zakleni(100), Zrno::NAP_CASOVNIROK) << "cancelled: no more firings";
    EXPECT_EQ(rocni.Odkleni(), 0);
    EXPECT_EQ(rocni.Zakleni(ROK) + rocni.Zakleni(0), 0) << "manual reset stays signalled";
}

TEST(RCasomer, CompletionRoutineOnTheArmingThreadOnly) {
    int alarmov = 0;
    Stevec t(&alarmov);
    // An absolute due time: for a relative one Wine passes the routine a negative value taken from its
    // monotonic clock, where Windows passes the system time.
    const __int64 prej = Zdaj100ns();
    EXPECT_EQ(t.Nastavi(prej / 10000 + 20, 0), 0);
    EXPECT_EQ(t.Zakleni(ROK), 0);
    SleepEx(0, TRUE);
    EXPECT_EQ(alarmov, 1);
    EXPECT_EQ(t.nit, GetCurrentThreadId());
    EXPECT_GE(t.cas, prej) << "the argument is a system time in 100-ns units";
    EXPECT_LT(t.cas, Zdaj100ns() + 10000000);
    {
        Stevec kratek(&alarmov);
        EXPECT_EQ(kratek.Odkleni(), 0);
        EXPECT_EQ(kratek.Zakleni(ROK), 0); // fired: its routine is queued to this thread
    }
    SleepEx(0, TRUE); // would call into the destroyed object
    EXPECT_EQ(alarmov, 1);
}

namespace {

struct Past : RCasovnaPast {
    unsigned int alarmov = 0, nit = 0;
    unsigned int ObAlarmu(void *p) override {
        return ++alarmov, nit = GetCurrentThreadId(), *static_cast<unsigned *>(p);
    }
};

} // namespace

TEST(RCasovnaPast, AlarmsThenEndOnRequest) {
    Past p;
    unsigned int rezultat = 55;
    for (int krog = 0; krog < 2; ++krog) { // armed before or after Odpri
        ASSERT_EQ(krog ? p.Nastavi(-20) : 0, 0);
        ASSERT_EQ(p.Odpri(&rezultat, NIT_TECE, 0), 0);
        ASSERT_EQ(krog ? 0 : p.Nastavi(-20), 0);
        ASSERT_EQ(p.Zakleni(ROK), 0);
        EXPECT_EQ(Koda(p), 55u);
        EXPECT_EQ(p.nit, p.VrniKodo()) << "ObAlarmu runs on the timer thread";
        p.Zapri();
    }
    ASSERT_EQ(p.Odpri(&rezultat, NIT_TECE, 0), 0);
    ASSERT_EQ(p.Nastavi(-5000), 0);
    EXPECT_EQ(p.Zakljuci(), 0);
    ASSERT_EQ(p.Zakleni(ROK), 0);
    EXPECT_EQ(Koda(p), 0xFFFFFFFFu);
    EXPECT_EQ(p.alarmov, 2u) << "ended early, no alarm";
}
