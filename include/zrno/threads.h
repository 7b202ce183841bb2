/// \file
/// Zrno threads and synchronisation: the waitable objects (events, semaphores, mutexes, waitable
/// timers), the scoped lock holders, threads, message-loop threads, pipeline stages and timer threads.
#ifndef ZRNO_THREADS_H
#define ZRNO_THREADS_H

#include <zrno/threads/RCakalnik.h>
#include <zrno/threads/RCasomer.h>
#include <zrno/threads/RCasovnaPast.h>
#include <zrno/threads/RDogNit.h>
#include <zrno/threads/RDogodek.h>
#include <zrno/threads/RMultiCakalnik.h>
#include <zrno/threads/RNevarenOdsek.h>
#include <zrno/threads/RNit.h>
#include <zrno/threads/RSemafor.h>
#include <zrno/threads/RSinhronizator.h>
#include <zrno/threads/RStopnjaCevovoda.h>

#endif
