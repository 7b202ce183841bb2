/// \file
/// Zrno: the whole exported interface in one include.
#ifndef ZRNO_H
#define ZRNO_H

#include <zrno/digests.h>
#include <zrno/frame.h>
#include <zrno/streams.h>
#include <zrno/strings.h>
#include <zrno/system.h>
#include <zrno/threads.h>
#include <zrno/util.h>

#endif
