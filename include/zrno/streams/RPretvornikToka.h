/// \file
/// Zrno data streams: the transparent stream converter, the base of the filters.
#ifndef ZRNO_STREAMS_RPRETVORNIKTOKA_H
#define ZRNO_STREAMS_RPRETVORNIKTOKA_H

#include <zrno/streams/RTokPodatkov.h>

/// A transparent converter: forwards every operation to its target stream. It does not own the
/// target object, but Zapri closes the target. The destructor detaches without flushing or closing.
class ZRNO_API RPretvornikToka : public virtual RTokPodatkov {
  public:
    /// Attaches cilj when given.
    RPretvornikToka(RTokPodatkov *cilj = nullptr);
    /// Copies share the target (not owned) and copy the state.
    RPretvornikToka(const RPretvornikToka &o)
        : RElement(o), RIzpElement(o), RTokPodatkov(o), m_cilj(o.m_cilj) {}
    ~RPretvornikToka() override;
    /// Shares the other's target (the one held before is neither flushed nor closed) and copies the state.
    RPretvornikToka &operator=(const RPretvornikToka &o) {
        RTokPodatkov::operator=(o);
        m_cilj = o.m_cilj;
        return *this;
    }

    /// Attaches a target (replacing any other); returns the target's state, which becomes this one's.
    virtual int Uporabi(RTokPodatkov *cilj);
    /// Detaches and returns the former target; the state becomes 0.
    virtual RTokPodatkov *Odpusti();

    /// Transfers and flushes need an attached target.
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;
    int Izplakni() override;
    /// Detaches (a buffering converter writes out first) and closes the target, returning its result;
    /// 1 without a target.
    int Zapri() override;

    /// The attached target; null when detached.
    RTokPodatkov *VrniCilj() const { return m_cilj; }

  protected:
    friend struct PreverjanjeRazporeditve;
    /// The target (not owned); null when detached.
    RTokPodatkov *m_cilj;
};

#endif
