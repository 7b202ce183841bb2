/// \file
/// The Base64 codec as a stream converter: writes reach the target as Base64 text in lines, reads are
/// decoded from the text the target delivers.
#ifndef ZRNO_STREAMS_RBASE64TOK_H
#define ZRNO_STREAMS_RBASE64TOK_H

#include <zrno/streams/RBase64.h>
#include <zrno/streams/RPretvornikToka.h>

/// Writing encodes towards the target in lines of skupinVrstice groups of 4 characters separated by a
/// single LF; Odpusti (and so Zapri) writes the padded last group. Reading decodes, going on after a
/// padded group; the target's end of data ends a read. Every transfer to or from the target moves one
/// byte (the library's buffering converter and memory file are filled and read in place, to the same
/// effect): put a buffering converter between this and a slow target.
class ZRNO_API RBase64Tok : public virtual RPretvornikToka, protected virtual RBase64 {
  public:
    /// 19 groups make lines of 76 characters; 0 puts an LF before every group.
    RBase64Tok(unsigned int skupinVrstice = 19, RTokPodatkov *cilj = nullptr);
    /// Copies the codec's carries and the line and group counters; the target is shared, not owned.
    RBase64Tok(const RBase64Tok &o);
    ~RBase64Tok() override;
    /// Copies every field of every part (the target shared); returns the object.
    RBase64Tok &operator=(const RBase64Tok &o);

    /// Starts a new line and an empty decoded group (the codec's carries stay), then attaches.
    int Uporabi(RTokPodatkov *cilj) override;
    /// Writes the padded last group if bytes wait, then detaches.
    RTokPodatkov *Odpusti() override;
    /// Decodes up to stevilo bytes; a read ends early with a padded group or the target's end of data
    /// or failure (taken into the state).
    unsigned int Preberi(void *medpomnilnik, unsigned int stevilo) override;
    /// Encodes; returns stevilo. The target's write results are not examined.
    unsigned int Zapisi(void const *medpomnilnik, unsigned int stevilo) override;

  protected:
    friend struct PreverjanjeRazporeditve;
    unsigned char m_skupina[3];     ///< bytes of the last decoded group
    unsigned int m_indeksSkupine;   ///< next byte of m_skupina to hand out
    unsigned int m_ostanekSkupine;  ///< bytes of m_skupina not yet handed out
    unsigned int m_skupinVrstice;   ///< groups per output line
    unsigned int m_skupinNaVrstici; ///< groups written on the current line
};

#endif
