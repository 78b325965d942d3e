#pragma once
// Releases everything one play of a level built, before the next play or the
// end of the program. Start-up objects (window, render targets) stay.
void cleanup();
