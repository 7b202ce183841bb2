/// \file
/// A thread as an object: RNit owns one system thread's handle and identifier and runs the virtual
/// Izvedi on it. Waiting for the thread to end is Zakleni; Odkleni starts it.
#ifndef ZRNO_THREADS_RNIT_H
#define ZRNO_THREADS_RNIT_H

#include <zrno/threads/RSinhronizator.h>

/// Initial state of a new thread (the system's creation flag).
enum T_NITZACETNOSTANJE : unsigned int {
    NIT_TECE = 0,      ///< starts running
    NIT_ZAMRZNJENA = 4 ///< starts suspended, to be started with Odmrzni
};

/// Thread priority: the system's levels.
enum T_NITPRIORITETA : int {
    NIT_NEDEJAVNA = -15, ///< THREAD_PRIORITY_IDLE
    NIT_NAJNIZJA = -2,   ///< THREAD_PRIORITY_LOWEST
    NIT_NIZJA = -1,      ///< THREAD_PRIORITY_BELOW_NORMAL
    NIT_NORMALNA = 0,    ///< THREAD_PRIORITY_NORMAL
    NIT_VISJA = 1,       ///< THREAD_PRIORITY_ABOVE_NORMAL
    NIT_NAJVISJA = 2,    ///< THREAD_PRIORITY_HIGHEST
    NIT_KRITICNA = 15    ///< THREAD_PRIORITY_TIME_CRITICAL
};

/// A thread. The destructor closes the handle but neither stops nor waits for the thread: the owner
/// makes the thread end and waits for it first, because the thread runs this object's Izvedi.
/// Odpri and the state operations may be called from any thread; Izvedi runs on the new thread.
class ZRNO_API RNit : public RSinhronizator {
  public:
    /// Wraps an existing thread handle (or none); the identifier is 0.
    RNit(void *rocica = reinterpret_cast<void *>(-1));
    /// Copies share the thread handle and identifier; only the last of them to go closes the handle.
    RNit(const RNit &o) = default;
    /// Shares the other's thread handle and identifier (see RSinhronizator::operator=).
    RNit &operator=(const RNit &o) = default;
    ~RNit() override;

    using RSinhronizator::Uporabi;
    /// Gives the handle up without closing it; the identifier becomes 0.
    void *Odpusti() override;
    /// Closes the handle (as RSinhronizator::Zapri); the identifier becomes 0.
    int Zapri() override;
    /// Starts Izvedi(nullptr) on a new running thread with the default stack.
    int Odkleni() override;
    /// Adopts a thread handle and its identifier. Returns 0.
    virtual int Uporabi(void *rocica, unsigned int koda);

    /// Starts Izvedi(parameter) on a new thread through the C runtime (stack 0: the default). The new
    /// handle replaces the old value without closing it. 0, or the mapped error (default NAP_USTVARI).
    int Odpri(void *parameter, T_NITZACETNOSTANJE stanje, unsigned int sklad);
    /// Suspends the thread (default NAP_ZAUSTAVI).
    int Zamrzni();
    /// Resumes the thread (default NAP_NADALJUJ).
    int Odmrzni();
    /// Terminates the thread at once with exit code koda (default NAP_PREKINI).
    int Prekini(unsigned int koda);
    /// Stores the exit code, 259 while the thread runs (default NAP_REZULTATNITI).
    int VrniRezultat(unsigned int *koda);
    /// Sets the priority (default NAP_PRIORITETA).
    int NastaviPrioriteto(T_NITPRIORITETA prioriteta);
    /// The system's priority value; 0x7FFFFFFF on failure.
    int VrniPrioriteto();
    /// The stored thread identifier (0 when there is none).
    unsigned int VrniKodo() const { return m_koda; }

    /// Starts a plain function on a new thread through the C runtime; the handle, 0 on failure.
    static void *Odpri(unsigned int(__stdcall *funkcija)(void *), void *parameter, T_NITZACETNOSTANJE stanje,
                       unsigned int sklad);
    /// Sleeps the calling thread (not alertable).
    static void Zaspi(unsigned int ms);
    /// A real, inheritable handle to the calling thread, which the caller closes; -1 on failure.
    static void *VrniTrenutnoNit();
    /// The calling thread's identifier.
    static unsigned int VrniKodoTrenutneNiti();
    /// Ends the calling thread through the C runtime with exit code koda.
    [[noreturn]] static void PrekiniTrenutnoNit(unsigned int koda);

  protected:
    /// The thread's body; its result is the thread's exit code.
    virtual unsigned int Izvedi(void *parameter) = 0;

    /// Runs first on every new thread: frees the start record and returns the object's Izvedi.
    static unsigned int __stdcall VstopnaTocka(void *zapis);

    friend struct PreverjanjeRazporeditve;
    /// The thread identifier; 0 when there is none.
    unsigned int m_koda;
};

#endif
