// Linked into the game binary of the sanitizer build alone: Mesa's driver is
// opened before main() and stays loaded to the end, as in the GL test
// programs, so that the leak report at the game's exit can name the driver's
// own blocks (support/GlDriver.h) and the suppressions can tell them from ours.
#include "support/GlDriver.h"

namespace {

const bool driverKeptLoaded = (keepGlDriverLoaded(), true);

} // namespace
