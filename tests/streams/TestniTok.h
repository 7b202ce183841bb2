// The scripted stream moved to tests/common; this keeps "streams/TestniTok.h" working for the tests that
// include it by that path.
#include "common/TestniTok.h"
