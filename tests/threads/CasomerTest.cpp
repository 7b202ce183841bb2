// Waitable timers: due times, the completion routine (never after the object is gone), RCasovnaPast.
#include "Pomoc.h"
#include <windows.h>

static __int64 Zdaj100ns() {
    __int64 t; // a FILETIME's two halves, low first
    return GetSystemTimeAsFileTime(reinterpret_cast<FILETIME *>(&t)), t;
}

// Counts its alarms (through a counter that may outlive it) and notes the thread and time of the last.
struct Stevec : RCasomer {
    explicit Stevec(int *alarmov) : m_alarmov(alarmov) {}
    int *m_alarmov;
    unsigned int nit = 0;
    __int64 cas = 0;
    void ObAlarmu(__int64 c) override { ++*m_alarmov, nit = GetCurrentThreadId(), cas = c; }
};

struct Past : RCasovnaPast {
    unsigned int alarmov = 0, nit = 0;
    unsigned int ObAlarmu(void *p) override {
        return ++alarmov, nit = GetCurrentThreadId(), *static_cast<unsigned *>(p);
    }
};

TEST(RCasomer, RelativeAbsoluteAndPeriodicDueTimes) {
    RCasomer t, rocni(RCasomer::ROCNI | 1);
    // Absolute (ms since 1601) and relative; a synchronisation timer resets on the wait.
    for (__int64 rok : {Zdaj100ns() / 10000 + 300, -300LL})
        EXPECT_EQ((Izidi{t.Nastavi(rok, 0), t.Zakleni(0), t.Zakleni(ROK), t.Zakleni(0)}),
                  (Izidi{0, CAS, 0, CAS}))
            << rok;
    EXPECT_EQ((Izidi{t.Nastavi(-10, 10), t.Zakleni(ROK), t.Zakleni(ROK), t.Zakleni(ROK), t.Prekini()}),
              Izidi(5, 0))
        << "three firings of a period";
    t.Zakleni(0); // a firing that came between the last wait and the cancel
    EXPECT_EQ(t.Zakleni(100), CAS) << "cancelled: no more firings";
    EXPECT_EQ((Izidi{rocni.Odkleni(), rocni.Zakleni(ROK), rocni.Zakleni(0)}), Izidi(3, 0))
        << "manual reset stays signalled";
}

TEST(RCasomer, CompletionRoutineOnTheArmingThreadOnly) {
    int alarmov = 0;
    Stevec t(&alarmov);
    // An absolute due time: for a relative one Wine passes the routine a negative value taken from its
    // monotonic clock, where Windows passes the system time.
    const __int64 prej = Zdaj100ns();
    EXPECT_EQ((Izidi{t.Nastavi(prej / 10000 + 20, 0), t.Zakleni(ROK), int(SleepEx(0, TRUE)), alarmov}),
              (Izidi{0, 0, WAIT_IO_COMPLETION, 1}));
    EXPECT_EQ(t.nit, GetCurrentThreadId());
    EXPECT_GE(t.cas, prej) << "the argument is a system time in 100-ns units";
    EXPECT_LT(t.cas, Zdaj100ns() + 10000000);
    {
        Stevec kratek(&alarmov);
        EXPECT_EQ(kratek.Odkleni() + kratek.Zakleni(ROK), 0); // fired: its routine is queued to this thread
    }
    EXPECT_EQ((Izidi{int(SleepEx(0, TRUE)), alarmov}), (Izidi{0, 1}))
        << "a routine into the destroyed object";
}

TEST(RCasovnaPast, AlarmsThenEndOnRequest) {
    Past p;
    unsigned int rezultat = 55;
    for (int krog = 0; krog < 2; ++krog) { // armed before or after Odpri
        ASSERT_EQ((Izidi{krog ? p.Nastavi(-20) : 0, p.Odpri(&rezultat, NIT_TECE, 0),
                         krog ? 0 : p.Nastavi(-20), p.Zakleni(ROK), int(Koda(p))}),
                  (Izidi{0, 0, 0, 0, 55}));
        EXPECT_EQ(p.nit, p.VrniKodo()) << "ObAlarmu runs on the timer thread";
        p.Zapri();
    }
    EXPECT_EQ((Izidi{p.Odpri(&rezultat, NIT_TECE, 0), p.Nastavi(-5000), p.Zakljuci(), p.Zakleni(ROK),
                     int(Koda(p)), int(p.alarmov)}),
              (Izidi{0, 0, 0, 0, -1, 2}))
        << "ended early, no alarm";
}
