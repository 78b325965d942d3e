#include "support/GlDriver.h"

#include <dlfcn.h>

void keepGlDriverLoaded()
{
#ifdef SANDLARK_GL_DRIVER
    dlopen(SANDLARK_GL_DRIVER, RTLD_NOW | RTLD_NODELETE);
#endif
}
