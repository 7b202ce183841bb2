/// \file
/// Zrno data streams, one header each: the abstract stream, the seekable file, the stream over a system
/// handle, the disk file, the memory file, the stream converters (the transparent base, the buffering
/// converter and the buffered handle stream), the caching buffer, the FIFO, pipes and sockets.
#ifndef ZRNO_STREAMS_H
#define ZRNO_STREAMS_H

#include <zrno/streams/RDatoteka.h>
#include <zrno/streams/RFifoTokPodatkov.h>
#include <zrno/streams/RFizDatoteka.h>
#include <zrno/streams/RImenovanKanal.h>
#include <zrno/streams/RIzrSisTokPodatkov.h>
#include <zrno/streams/RIzravnalnik.h>
#include <zrno/streams/RKanal.h>
#include <zrno/streams/RMedpomnilnik.h>
#include <zrno/streams/RPomDatoteka.h>
#include <zrno/streams/RPretvornikToka.h>
#include <zrno/streams/RSisTokPodatkov.h>
#include <zrno/streams/RTokPodatkov.h>
#include <zrno/streams/RVticnica.h>

#include <zrno/streams/RBase64.h>
#include <zrno/streams/RBase64Tok.h>
#endif
