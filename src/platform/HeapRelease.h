#pragma once
// Giving memory back to the system between levels. Every play of a level loads
// its images, meshes and textures afresh and frees them at its clean-up: tens
// of megabytes, much of it in blocks of a megabyte or more (decoded images, and
// Mesa's own copies of the textures). glibc maps such blocks separately only
// until the first of them is freed; it then raises its threshold (up to 32 MB),
// so from the second level on they are carved out of the heap, and the holes
// they leave are too scattered to be reused whole. Resident memory then grew
// from level to level with nothing leaked.

// Every later block of a megabyte or more gets pages of its own, returned to
// the system when it is freed; up to 8 MB of free memory stays at the heap's
// top for the frames to reuse. Called once at start-up.
void mapLargeBlocksSeparately();

// Returns the free pages inside the heap to the system: called when a level's
// frames are over and when the level has been released.
void releaseFreeHeapPages();
