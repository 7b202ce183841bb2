// An installed service: the controlling side's calls of the service control manager.
#include "system/ScmRocica.h"
#include <zrno/system/RServis.h>

using namespace Zrno;
using namespace Zrno::Notranje;

RServis::~RServis() {}

int RServis::Ustvari(void *oskrbnik, char const *ime, char const *prikaznoIme, char const *program,
                     unsigned int dostop, unsigned int tip, T_ZAGONSERVISA zagon, T_OBRAVNAVANAPAKESERVISA obravnava,
                     char const *skupina, unsigned int *oznaka, char const *odvisnosti, char const *racun,
                     char const *geslo) {
    // DWORD is unsigned long: 32 bits on Windows, like unsigned int.
    m_rocica = CreateServiceA(ScmRocica(oskrbnik), ime, prikaznoIme, dostop, tip, zagon, obravnava, program, skupina,
                              reinterpret_cast<DWORD *>(oznaka), odvisnosti, racun, geslo);
    return Izid(JeVeljaven(), NAP_USTVARISERVIS);
}

int RServis::Odpri(void *oskrbnik, char const *ime, unsigned int dostop) {
    m_rocica = OpenServiceA(ScmRocica(oskrbnik), ime, dostop);
    return Izid(JeVeljaven(), NAP_ODPRISERVIS);
}

int RServis::Pozeni(unsigned int stevilo, char const **argumenti) {
    return Izid(StartServiceA(ScmRocica(m_rocica), stevilo, argumenti), NAP_ZAGONSERVISA);
}

int RServis::Sporoci(unsigned int koda, _SERVICE_STATUS *status) {
    return Izid(ControlService(ScmRocica(m_rocica), koda, status), NAP_KRMILJENJE);
}

int RServis::VrniStatus(_SERVICE_STATUS *status) {
    return Izid(QueryServiceStatus(ScmRocica(m_rocica), status), NAP_KRMILJENJE);
}

int RServis::Zbrisi() { return Izid(DeleteService(ScmRocica(m_rocica)), NAP_ZBRISISERVIS); }

int RServis::Zapri() { return Lastnina<RocicaScm>::Zapri(m_rocica, this); }
