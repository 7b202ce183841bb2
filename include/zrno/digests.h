/// \file
/// Zrno digests: CRC-32, MD5, SHA-1 and SHA-256 behind one interface, and the converter that digests a
/// stream.
#ifndef ZRNO_DIGESTS_H
#define ZRNO_DIGESTS_H

#include <zrno/digests/RBlokovniOdtisnik.h>
#include <zrno/digests/RCRC32.h>
#include <zrno/digests/RMD5.h>
#include <zrno/digests/ROdtisnik.h>
#include <zrno/digests/ROdtisnikToka.h>
#include <zrno/digests/RSHA1.h>
#include <zrno/digests/RSHA256.h>

#endif
