// Every end-to-end test starts the game on an X display of its own.
#include "support/core/PrivateDisplay.h"

namespace {
const bool installed = (usePrivateDisplayForEveryTest(), true);
}
