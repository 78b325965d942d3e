#include "support/gl/GlObjectCount.h"

#include <GL/glew.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

int countNames(GLboolean (*isObject)(GLuint), unsigned& highest)
{
    int count = 0;
    for (GLuint name = 1; name < glObjectNameBound; ++name)
        if (isObject(name) == GL_TRUE) {
            ++count;
            highest = std::max(highest, static_cast<unsigned>(name));
        }
    return count;
}

// GLEW's entry points are variables filled in at run time; these wrappers
// give each a plain function to hand to countNames.
GLboolean isBuffer(GLuint name) { return glIsBuffer(name); }
GLboolean isVertexArray(GLuint name) { return glIsVertexArray(name); }
GLboolean isTexture(GLuint name) { return glIsTexture(name); }
GLboolean isFramebuffer(GLuint name) { return glIsFramebuffer(name); }
GLboolean isRenderbuffer(GLuint name) { return glIsRenderbuffer(name); }
GLboolean isProgram(GLuint name) { return glIsProgram(name); }
GLboolean isShader(GLuint name) { return glIsShader(name); }

} // namespace

GlObjectCounts countLiveGlObjects()
{
    GlObjectCounts counts;
    counts.buffers = countNames(isBuffer, counts.highestName);
    counts.vertexArrays = countNames(isVertexArray, counts.highestName);
    counts.textures = countNames(isTexture, counts.highestName);
    counts.framebuffers = countNames(isFramebuffer, counts.highestName);
    counts.renderbuffers = countNames(isRenderbuffer, counts.highestName);
    counts.programs = countNames(isProgram, counts.highestName);
    counts.shaders = countNames(isShader, counts.highestName);
    if (counts.highestName >= glObjectNameBound / 2)
        throw std::runtime_error("live GL names reach " + std::to_string(counts.highestName) +
                                 ": raise glObjectNameBound so that none is missed");
    return counts;
}

std::string describe(const GlObjectCounts& counts)
{
    std::ostringstream text;
    text << "buffers " << counts.buffers << ", vertex arrays " << counts.vertexArrays << ", textures "
         << counts.textures << ", framebuffers " << counts.framebuffers << ", renderbuffers " << counts.renderbuffers
         << ", programs " << counts.programs << ", shaders " << counts.shaders << " (" << counts.total()
         << " in all, highest name " << counts.highestName << ")";
    return text.str();
}
