// Waitable timers: relative, absolute and periodic due times, the completion routine on the arming
// thread and never after the object is gone, cancelling, and the timer thread RCasovnaPast.
#include "Pomoc.h"
#include <windows.h>
#include <gtest/gtest.h>

using namespace niti;

namespace {

__int64 Zdaj100ns() {
    FILETIME f;
    GetSystemTimeAsFileTime(&f);
    return (static_cast<__int64>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// Counts its alarms (through a counter that may outlive it) and notes the thread and time of the last.
class Stevec : public RCasomer {
  public:
    explicit Stevec(int *alarmov) : m_alarmov(alarmov) {}
    unsigned int nit = 0;
    __int64 cas = 0;

  protected:
    void ObAlarmu(__int64 c) override {
        ++*m_alarmov;
        nit = GetCurrentThreadId();
        cas = c;
    }

  private:
    int *m_alarmov;
};

} // namespace

TEST(RCasomer, RelativeAbsoluteAndPeriodicDueTimes) {
    RCasomer t;
    for (int absolutno = 0; absolutno < 2; ++absolutno) { // relative, then absolute: ms since 1601
        EXPECT_EQ(t.Nastavi(absolutno ? Zdaj100ns() / 10000 + 300 : -300, 0), 0) << absolutno;
        EXPECT_EQ(t.Zakleni(0), Zrno::NAP_CASOVNIROK) << absolutno;
        EXPECT_EQ(t.Zakleni(ROK), 0) << absolutno;
        EXPECT_EQ(t.Zakleni(0), Zrno::NAP_CASOVNIROK) << "a synchronisation timer resets on the wait";
    }
    EXPECT_EQ(t.Nastavi(-10, 10), 0);
    int sprozitev = 0;
    while (sprozitev < 3 && t.Zakleni(ROK) == 0)
        ++sprozitev;
    EXPECT_EQ(sprozitev, 3);
    EXPECT_EQ(t.Prekini(), 0);
    t.Zakleni(0); // a firing that came between the last wait and the cancel
    EXPECT_EQ(t.Zakleni(100), Zrno::NAP_CASOVNIROK) << "cancelled: no more firings";

    RCasomer rocni(RCasomer::ROCNI | 1), nic(nullptr);
    EXPECT_EQ(rocni.Odkleni(), 0);
    EXPECT_EQ(rocni.Zakleni(ROK), 0);
    EXPECT_EQ(rocni.Zakleni(0), 0) << "manual reset stays signalled";
    EXPECT_EQ(nic.Nastavi(-1, 0), Zrno::NAP_ROCICA);
    EXPECT_EQ(nic.Prekini(), Zrno::NAP_ROCICA);
}

TEST(RCasomer, CompletionRoutineOnTheArmingThreadOnly) {
    int alarmov = 0;
    Stevec t(&alarmov);
    // An absolute due time: for a relative one Wine passes the routine a negative value taken from its
    // monotonic clock, where Windows passes the system time.
    const __int64 prej = Zdaj100ns();
    EXPECT_EQ(t.Nastavi(prej / 10000 + 20, 0), 0);
    EXPECT_EQ(t.Zakleni(ROK), 0);
    EXPECT_EQ(alarmov, 0) << "a plain wait is not alertable";
    SleepEx(0, TRUE);
    EXPECT_EQ(alarmov, 1);
    EXPECT_EQ(t.nit, GetCurrentThreadId());
    EXPECT_GE(t.cas, prej) << "the argument is a system time in 100-ns units";
    EXPECT_LT(t.cas, Zdaj100ns() + 10000000);

    EXPECT_EQ(NaDrugiNiti([&] { return unsigned(t.Odkleni() == 0 && t.Zakleni(ROK) == 0); }), 1u);
    SleepEx(0, TRUE);
    EXPECT_EQ(alarmov, 1) << "armed by a thread that never waited alertably";
    {
        Stevec kratek(&alarmov);
        EXPECT_EQ(kratek.Odkleni(), 0);
        EXPECT_EQ(kratek.Zakleni(ROK), 0); // fired: its routine is queued to this thread
    }
    SleepEx(0, TRUE); // would call into the destroyed object
    EXPECT_EQ(alarmov, 1);
}

namespace {

class Past : public RCasovnaPast {
  public:
    int alarmov = 0;
    unsigned int nit = 0;

  protected:
    unsigned int ObAlarmu(void *p) override {
        ++alarmov;
        nit = GetCurrentThreadId();
        return *static_cast<unsigned int *>(p);
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
    EXPECT_EQ(p.alarmov, 2) << "ended early, no alarm";
}
