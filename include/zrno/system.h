/// \file
/// Zrno system services: registry keys (RRegister, with the growable array RDinTabela), logs and system
/// services. One header per concept under zrno/system/.
#ifndef ZRNO_SYSTEM_H
#define ZRNO_SYSTEM_H

#include <zrno/system/RDinTabela.h>
#include <zrno/system/RDnevnik.h>
#include <zrno/system/RDnevnikDat.h>
#include <zrno/system/RDnevnikNT.h>
#include <zrno/system/ROskrbnikServisov.h>
#include <zrno/system/RRegister.h>
#include <zrno/system/RRegisterServisov.h>
#include <zrno/system/RServis.h>
#include <zrno/system/RServisImpl.h>

#endif
