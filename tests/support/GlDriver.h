#pragma once
// Mesa loads its driver with dlopen when the first context is made, and
// unloads it again when the display closes (glfwTerminate), before
// LeakSanitizer looks for leaks at exit: a block the driver never freed is then
// reported with frames that name no module, and no suppression can tell it
// from one of ours. A test program that opens the driver itself first, never
// to be unloaded, keeps those frames attributable to the driver's file.

// Opens Mesa's software driver for the rest of the process. Does nothing when
// the build found no such driver, or when it cannot be loaded; everywhere but
// under LeakSanitizer it changes only when the driver is loaded.
void keepGlDriverLoaded();
