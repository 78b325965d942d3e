#pragma once
// Triangle meshes as the game imports them (one material, every vertex with a
// normal and texture coordinates), the shapes the models are built from, and
// the Wavefront OBJ/MTL writer.
#include <functional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

// A rectangle of an atlas texture in texture space (v upwards).
struct UVRect {
    glm::vec2 origin{0.0f};
    glm::vec2 size{1.0f};
    glm::vec2 map(glm::vec2 t) const { return origin + t * size; }
};

// Triangle soup: every triangle owns its three vertices, so hard edges and
// atlas seams need no bookkeeping. Front faces wind counter-clockwise.
struct Mesh {
    std::vector<Vertex> vertices;

    void triangle(const Vertex& a, const Vertex& b, const Vertex& c);
    void quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
    void append(const Mesh& other, const glm::mat4& transform = glm::mat4(1.0f));
    size_t triangleCount() const { return vertices.size() / 3; }
    glm::vec3 boundsMin() const;
    glm::vec3 boundsMax() const;
    // Averages the normals of vertices that share a position (from index `first`
    // on), turning a faceted soup into a smooth surface.
    void smoothNormals(size_t first = 0);
    // A triangle or quad wound so that it faces the way its vertex normals point.
    void facingTriangle(const Vertex& a, const Vertex& b, const Vertex& c);
    void facingQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
    // Shifts texture coordinates of every vertex from `first` on.
    void offsetUV(glm::vec2 delta, size_t first = 0);
};

// A frame whose local +z runs along `direction` from `origin` (for tubes).
glm::mat4 frameAlong(glm::vec3 origin, glm::vec3 direction);

// A convex planar polygon (points in any order around it); its outward side is
// the one facing away from `inside`. Texture coordinates are a planar
// projection into `rect`, `texelsPerUnit` of the rectangle per world unit.
void addPolygon(Mesh& mesh, const std::vector<glm::vec3>& points, glm::vec3 inside, const UVRect& rect, float rectPerUnit);

// An axis-aligned box with chamfered edges (bevel 0 gives a plain box). Parts
// that sit on something leave out their underside (`underside` false).
void addBox(Mesh& mesh, glm::vec3 minCorner, glm::vec3 maxCorner, float bevel, const UVRect& rect, const glm::mat4& transform = glm::mat4(1.0f),
            bool underside = true);

// A flat regular polygon of `segments` corners facing the frame's +z, centred on
// its origin, with a disc texture (the rectangle's inscribed circle) turned by
// `turn` like the geometry: a wheel seen from the side costs segments - 2 triangles.
void addDisc(Mesh& mesh, const glm::mat4& frame, float radius, int segments, const UVRect& rect, float turn = 0.0f);

// A parametric surface position(s, t) over [0,1]^2, `columns` x `rows` quads,
// smooth normals from the surface's derivatives. Texture coordinates run over
// `rect` with s to the right and t upwards. `flip` reverses the facing.
void addSurface(Mesh& mesh, int columns, int rows, const std::function<glm::vec3(float, float)>& position, const UVRect& rect, bool flip = false);

// A (possibly tapered) tube along the frame's +z from 0 to `length`, with
// optional caps mapped as discs into `capRect`. `turn` rotates it about its axis
// (used to roll wheels between animation frames).
void addCylinder(Mesh& mesh, const glm::mat4& frame, float radiusStart, float radiusEnd, float length, int segments, const UVRect& sideRect, const UVRect& capRect, bool capStart, bool capEnd, float turn = 0.0f);

// A surface of revolution about the frame's +y axis: profile points are
// (radius, height) from bottom to top. Bands between points are smooth around
// and, when `smoothProfile` is false, creased along the profile.
void addLathe(Mesh& mesh, const glm::mat4& frame, const std::vector<glm::vec2>& profile, int segments, const UVRect& rect, bool smoothProfile, const std::function<float(float angle, float height)>& radiusScale = nullptr);

// An icosphere of unit radius, `subdivisions` times split (20 * 4^n triangles).
std::vector<glm::vec3> icosphereTriangles(int subdivisions);
// A unit sphere of 48 nearly equal triangles: a cube whose faces are split in
// eight about their centres, pushed out onto the sphere (and turned so that no
// corner sits on a pole, where spherical texture coordinates pinch).
std::vector<glm::vec3> cubeSphereTriangles();

// A displaced sphere (radius as a function of direction) over the given unit
// triangles, with spherical texture coordinates unwrapped across the seam;
// needs a texture tiling in u.
Mesh lumpySphere(const std::vector<glm::vec3>& unitTriangles, const std::function<float(glm::vec3)>& radius);

struct Material {
    std::string name;
    glm::vec3 ambient{0.2f};
    glm::vec3 diffuse{0.8f};
    glm::vec3 specular{0.2f};
    // The game's lit shaders let a material glow only where its picture is at
    // full brightness (a channel at 0.95 or more) and show the emissive colour
    // times the picture there, whatever light falls on it: lamps, a tracer's
    // core, flames. Paint that must not glow stays below 0.85 in every channel.
    glm::vec3 emissive{0.0f};
    float shininess = 16.0f;
    std::string texture;   // file name beside the OBJ
};

// Writes <directory>/<name>.obj and <name>.mtl. Numbers are printed with a fixed
// format so that the bytes never depend on the locale or the run.
void writeObj(const Mesh& mesh, const std::string& directory, const std::string& name, const Material& material);
// Reads back the triangles of an OBJ this writer produced (for the preview).
Mesh readObj(const std::string& path);
