#include "DrawCounter.h"

#include <GL/glew.h>

#include <dlfcn.h>

namespace {

DrawTally tally;

void count(GLenum mode, GLsizei vertices, GLsizei instances)
{
    ++tally.draws;
    tally.triangles += trianglesOf(mode, vertices) * instances;
}

// libGL's own entry points: the next definitions after ours.
using DrawArrays = void(GLAPIENTRY*)(GLenum, GLint, GLsizei);
using DrawElements = void(GLAPIENTRY*)(GLenum, GLsizei, GLenum, const void*);

PFNGLDRAWARRAYSINSTANCEDPROC glewDrawArraysInstanced = nullptr;
PFNGLDRAWELEMENTSINSTANCEDPROC glewDrawElementsInstanced = nullptr;

void GLAPIENTRY countedDrawArraysInstanced(GLenum mode, GLint first, GLsizei vertices, GLsizei instances)
{
    count(mode, vertices, instances);
    glewDrawArraysInstanced(mode, first, vertices, instances);
}

void GLAPIENTRY countedDrawElementsInstanced(GLenum mode, GLsizei vertices, GLenum type, const void* indices,
                                             GLsizei instances)
{
    count(mode, vertices, instances);
    glewDrawElementsInstanced(mode, vertices, type, indices, instances);
}

} // namespace

void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei vertices)
{
    static const auto real = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    count(mode, vertices, 1);
    real(mode, first, vertices);
}

void GLAPIENTRY glDrawElements(GLenum mode, GLsizei vertices, GLenum type, const void* indices)
{
    static const auto real = reinterpret_cast<DrawElements>(dlsym(RTLD_NEXT, "glDrawElements"));
    count(mode, vertices, 1);
    real(mode, vertices, type, indices);
}

DrawTally drawTally()
{
    return tally;
}

void countInstancedDraws()
{
    if (glDrawArraysInstanced != countedDrawArraysInstanced) {
        glewDrawArraysInstanced = glDrawArraysInstanced;
        glDrawArraysInstanced = countedDrawArraysInstanced;
    }
    if (glDrawElementsInstanced != countedDrawElementsInstanced) {
        glewDrawElementsInstanced = glDrawElementsInstanced;
        glDrawElementsInstanced = countedDrawElementsInstanced;
    }
}

long long trianglesOf(unsigned mode, long long count)
{
    switch (mode) {
    case GL_TRIANGLES:
        return count / 3;
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
        return count > 2 ? count - 2 : 0;
    default:
        return 0;
    }
}
