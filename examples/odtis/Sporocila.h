/* Numbers of the sample service's messages: the string tables of its language modules (jeziki/) and
   the code that loads them share this header. Plain defines, so that windres reads it too. */
#ifndef ODTIS_SPOROCILA_H
#define ODTIS_SPOROCILA_H

/* Log lines (printf formats). */
#define SPR_ZAGON 1         /* port, limit, threads, module description */
#define SPR_ZAHTEVA 2       /* peer, port, bytes, MD5, milliseconds */
#define SPR_PREKINJENA 3    /* peer, port, bytes received, bytes announced */
#define SPR_NAPACNA 4       /* peer, port */
#define SPR_PREVELIKA 5     /* peer, port, announced length (text), limit */
#define SPR_ZAVRNJENA 6     /* peer, port */
#define SPR_ZASEDENO 7      /* peer, port, threads */
#define SPR_USTAVLJANJE 8   /* open connections */
#define SPR_USTAVLJEN 9     /* requests served */
#define SPR_NAPAKALOGA 10   /* log file, code */
#define SPR_LOGSPET 11      /* log file */
#define SPR_NAPAKAZAGONA 12 /* what, code */
#define SPR_ZAHTEVA256 13   /* peer, port, bytes, SHA-256, milliseconds */

/* Texts of the protocol's refusals (after "ERR <number> "). */
#define SPR_ERR_VRSTICA 20  /* malformed request line */
#define SPR_ERR_OMEJITEV 21 /* limit */
#define SPR_ERR_USTAVLJANJE 22
#define SPR_ERR_ZASEDENO 23

#endif
