// The pipeline stage: a message thread that knows the next stage.
#include <zrno/threads/RStopnjaCevovoda.h>

RStopnjaCevovoda::RStopnjaCevovoda(RDogNit *naslednja) : m_naslednja(naslednja) {}

RStopnjaCevovoda::~RStopnjaCevovoda() {}
