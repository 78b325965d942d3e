#pragma once
// How many OpenGL objects of each kind the current context holds, found by
// asking glIs* about every name up to a bound. The game never sees this: it
// is how a test or a report tells whether a level's objects really went.
#include <string>

struct GlObjectCounts {
    int buffers = 0;
    int vertexArrays = 0;
    int textures = 0;
    int framebuffers = 0;
    int renderbuffers = 0;
    int programs = 0;
    int shaders = 0;
    unsigned highestName = 0; // the largest live name of any kind

    int total() const { return buffers + vertexArrays + textures + framebuffers + renderbuffers + programs + shaders; }
    // The same number of each kind, wherever the names lie.
    bool operator==(const GlObjectCounts& other) const
    {
        return buffers == other.buffers && vertexArrays == other.vertexArrays && textures == other.textures &&
               framebuffers == other.framebuffers && renderbuffers == other.renderbuffers &&
               programs == other.programs && shaders == other.shaders;
    }
};

// Names above this are not looked at. Mesa hands out names in rising order, so
// a scan that finds a live name in the upper half throws rather than miss
// objects above the bound.
inline constexpr unsigned glObjectNameBound = 1u << 16;

// Counts the live objects of the current context.
GlObjectCounts countLiveGlObjects();

// "buffers 12, vertex arrays 10, ..." for a report or a failure message.
std::string describe(const GlObjectCounts& counts);
