#pragma once
// Move-only owners of OpenGL names: the constructor-style `create` makes the
// name, the destructor deletes it. An empty holder owns 0 and needs no context.
// Meshes, screens and the text renderer keep their GL objects in these, so a
// level's objects go with the record that owns them and nothing piles up over
// repeated levels.
#include <GL/glew.h>

#include <utility>

class GlObject {
public:
    enum class Kind { Buffer, VertexArray, Texture };

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

    // A fresh name of `kind` (glGenBuffers, glGenVertexArrays, glGenTextures).
    static GlObject create(Kind kind)
    {
        GlObject object;
        object.kind = kind;
        switch (kind) {
        case Kind::Buffer: glGenBuffers(1, &object.name); break;
        case Kind::VertexArray: glGenVertexArrays(1, &object.name); break;
        case Kind::Texture: glGenTextures(1, &object.name); break;
        }
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
        }
        name = 0;
    }

    Kind kind = Kind::Buffer;
    GLuint name = 0;
};

inline GlObject createBuffer() { return GlObject::create(GlObject::Kind::Buffer); }
inline GlObject createVertexArray() { return GlObject::create(GlObject::Kind::VertexArray); }
inline GlObject createTexture() { return GlObject::create(GlObject::Kind::Texture); }
