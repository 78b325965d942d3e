// The main() of the test programs that open GL contexts. Mesa loads its
// driver with dlopen when the first context is made and unloads it again when
// the display closes, before LeakSanitizer looks for leaks at exit: a block the
// driver never freed is then reported with frames that name no module, and no
// suppression can tell it from one of ours. Opening the driver here first,
// never to be unloaded, keeps its frames attributable to its file. Outside the
// sanitizer build it changes nothing but the order in which the driver loads.
#include <gtest/gtest.h>

#include <dlfcn.h>

int main(int argc, char** argv)
{
#ifdef SANDLARK_GL_DRIVER
    // Missing or unloadable (another driver in use): the tests run all the same.
    dlopen(SANDLARK_GL_DRIVER, RTLD_NOW | RTLD_NODELETE);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
