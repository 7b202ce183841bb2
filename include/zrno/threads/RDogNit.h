/// \file
/// A thread with a message loop: other threads post it numbered requests (Sporoci), which it handles
/// one at a time, in order, in RokovalnikOznak. Request 0 ends the loop.
#ifndef ZRNO_THREADS_RDOGNIT_H
#define ZRNO_THREADS_RDOGNIT_H

#include <zrno/threads/RNit.h>

/// A message-loop thread. Odpri returns only once the thread's queue exists, so a request posted right
/// after it is never lost. Stop it with Sporoci(0, ...) and wait with Zakleni before destroying it.
/// Odpri and Sporoci may be called from any thread; the handlers run on the object's own thread, one
/// at a time, in the order the messages were posted. Nothing is locked.
class ZRNO_API RDogNit : public RNit {
  public:
    RDogNit();
    /// Copies share the thread handle and identifier; only the last of them to go closes the handle.
    RDogNit(const RDogNit &o) = default;
    /// Shares the other's thread handle and identifier (see RSinhronizator::operator=).
    RDogNit &operator=(const RDogNit &o) = default;
    ~RDogNit() override;

    using RNit::Uporabi;
    /// Starts the loop on a new thread and waits until its queue exists; the first argument is not
    /// used. Started suspended, the thread stops after making its queue, before ObZagonu, until
    /// Odmrzni. 0, or RNit::Odpri's failure.
    int Odpri(unsigned int, void *parameter, T_NITZACETNOSTANJE stanje, unsigned int sklad);
    /// Posts request koda with vrednost and podatki. 0, or the mapped error (default NAP_NITID): the
    /// thread has ended, or its queue is full (the system limits posted messages per queue).
    int Sporoci(unsigned int koda, unsigned int vrednost, void *podatki);
    /// Runs the loop on the calling thread and returns its result.
    unsigned int Pozeni(void *parameter);
    /// RNit::Uporabi(rocica, koda); the third argument is not used.
    virtual int Uporabi(void *rocica, unsigned int koda, unsigned int);

  protected:
    /// The message loop: ObZagonu, then every message to RokovalnikOznak until a handler returns
    /// non-zero or request 0 has been handled, then ObZakljucku. The exit code is the value that ended it.
    unsigned int Izvedi(void *zapis) override;
    /// Runs on the thread before the loop; a non-zero result skips the loop and becomes the exit code.
    virtual unsigned int ObZagonu(void *parameter);
    /// Runs on the thread after the loop.
    virtual void ObZakljucku(void *parameter);
    /// Handles one request (system messages arrive as codes from 0xFFFFEC00 up); non-zero ends the loop.
    virtual unsigned int RokovalnikOznak(unsigned int koda, unsigned int vrednost, void *podatki);
};

#endif
