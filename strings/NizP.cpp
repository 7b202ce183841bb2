// RNizP<T> for the two character types of the library; the member definitions live in the three
// internal headers below, one per concern, and are instantiated (and exported) here.
#include "strings/Hramba.h"
#include "strings/Iskanje.h"
#include "strings/Urejanje.h"

template class RNizP<char>;
template class RNizP<unsigned short>;
