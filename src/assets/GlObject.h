#pragma once
// Move-only owners of OpenGL names: `create` makes the name, the destructor
// deletes it. An empty holder owns 0 and needs no context. Every GL object of
// the game lives in one of these inside the record that uses it, so a level's
// objects go with the level and nothing piles up over repeated levels.
#include <GL/glew.h>

#include <utility>

class GlObject {
public:
    enum class Kind { Buffer, VertexArray, Texture, Framebuffer, Renderbuffer, Program, Shader };

    GlObject() = default;
    ~GlObject() { release(); }

    GlObject(GlObject&& other) noexcept : kind(other.kind), name(std::exchange(other.name, 0)) {}
    GlObject& operator=(GlObject&& other) noexcept
    {
        if (this != &other) {
            release();
            kind = other.kind;
            name = std::exchange(other.name, 0);
        }
        return *this;
    }
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;

    // A fresh name of `kind`. Shaders are created with `createShader`.
    static GlObject create(Kind kind)
    {
        GlObject object;
        object.kind = kind;
        switch (kind) {
        case Kind::Buffer: glGenBuffers(1, &object.name); break;
        case Kind::VertexArray: glGenVertexArrays(1, &object.name); break;
        case Kind::Texture: glGenTextures(1, &object.name); break;
        case Kind::Framebuffer: glGenFramebuffers(1, &object.name); break;
        case Kind::Renderbuffer: glGenRenderbuffers(1, &object.name); break;
        case Kind::Program: object.name = glCreateProgram(); break;
        case Kind::Shader: break;
        }
        return object;
    }

    // A shader object of `type` (GL_VERTEX_SHADER, GL_FRAGMENT_SHADER); may hold 0.
    static GlObject createShader(GLenum type)
    {
        GlObject object;
        object.kind = Kind::Shader;
        object.name = glCreateShader(type);
        return object;
    }

    operator GLuint() const { return name; }
    GLuint get() const { return name; }

private:
    void release()
    {
        if (name == 0)
            return;
        switch (kind) {
        case Kind::Buffer: glDeleteBuffers(1, &name); break;
        case Kind::VertexArray: glDeleteVertexArrays(1, &name); break;
        case Kind::Texture: glDeleteTextures(1, &name); break;
        case Kind::Framebuffer: glDeleteFramebuffers(1, &name); break;
        case Kind::Renderbuffer: glDeleteRenderbuffers(1, &name); break;
        case Kind::Program: glDeleteProgram(name); break;
        case Kind::Shader: glDeleteShader(name); break;
        }
        name = 0;
    }

    Kind kind = Kind::Buffer;
    GLuint name = 0;
};

inline GlObject createBuffer() { return GlObject::create(GlObject::Kind::Buffer); }
inline GlObject createVertexArray() { return GlObject::create(GlObject::Kind::VertexArray); }
inline GlObject createTexture() { return GlObject::create(GlObject::Kind::Texture); }
inline GlObject createFramebuffer() { return GlObject::create(GlObject::Kind::Framebuffer); }
inline GlObject createRenderbuffer() { return GlObject::create(GlObject::Kind::Renderbuffer); }
