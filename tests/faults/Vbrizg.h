// Fault injection into Zrno.dll: its import address table is pointed at typed wrappers (generated from
// its real imports by ovoji.py) that count the calls and, when armed, fail one call or every call from
// the n-th on with the function's own failure value and last error. The DLL itself is not changed.
#ifndef ZRNO_TESTS_FAULTS_VBRIZG_H
#define ZRNO_TESTS_FAULTS_VBRIZG_H

#include <string>
#include <vector>

namespace Vbrizg {

enum Nacin { IZKLOP, ENKRAT, ODTLEJ };

/// Rewrites the DLL's imports once; the names it imports that the fault table does not know.
std::vector<std::string> Namesti();
/// From now on the calls that match filter (a function, a group or "" for all) are counted; the n-th
/// fails (ENKRAT) or every one from the n-th on (ODTLEJ). IZKLOP only counts.
void Vklopi(Nacin nacin, long n, const char *filter = "");
/// Stops failing; returns the calls counted since Vklopi.
long Izklopi();
/// Whether a close failed since Vklopi: the handle stays open, and a temporary one (a search, a key)
/// whose owner has no later chance to close it is lost, as it would be on a real failure.
bool ZapiranjeNeuspelo();
/// The blocks the DLL holds on its private heap, as far as its calls since Namesti tell.
long Bloki();
/// The wrapped functions that no call has reached since Namesti.
std::string Nepoklicani();
/// The functions failed since Vklopi, in order, repeats folded ("ReadFile x3").
std::string Neuspeli();

} // namespace Vbrizg

#endif
