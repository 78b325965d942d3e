// Every GL test process opens its windows on an X display of its own.
#include "support/core/PrivateDisplay.h"

namespace {
const bool installed = (usePrivateDisplayForEveryTest(), true);
}
