/// \file
/// Zrno utilities: the date and time value RDatum, the progress indicators, the pooled intrusive
/// containers and the resource libraries, one header each.
#ifndef ZRNO_UTIL_H
#define ZRNO_UTIL_H

#include <zrno/util/RBazaVirov.h>
#include <zrno/util/RDatum.h>
#include <zrno/util/RKazalnikNapredka.h>
#include <zrno/util/Zbirke.h>

#endif
