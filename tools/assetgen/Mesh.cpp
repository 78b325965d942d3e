#include "Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

void Mesh::triangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    vertices.push_back(a);
    vertices.push_back(b);
    vertices.push_back(c);
}

void Mesh::quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    triangle(a, b, c);
    triangle(a, c, d);
}

void Mesh::facingTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    glm::vec3 geometric = glm::cross(b.position - a.position, c.position - a.position);
    if (glm::dot(geometric, a.normal + b.normal + c.normal) < 0.0f) triangle(a, c, b);
    else triangle(a, b, c);
}

void Mesh::facingQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    facingTriangle(a, b, c);
    facingTriangle(a, c, d);
}

glm::mat4 frameAlong(glm::vec3 origin, glm::vec3 direction) {
    glm::vec3 z = glm::normalize(direction);
    glm::vec3 helper = std::fabs(z.y) > 0.9f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
    glm::vec3 x = glm::normalize(glm::cross(helper, z));
    glm::vec3 y = glm::cross(z, x);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(x, 0.0f);
    m[1] = glm::vec4(y, 0.0f);
    m[2] = glm::vec4(z, 0.0f);
    m[3] = glm::vec4(origin, 1.0f);
    return m;
}

void Mesh::append(const Mesh& other, const glm::mat4& transform) {
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(transform)));
    bool mirrored = glm::determinant(glm::mat3(transform)) < 0.0f;
    for (size_t i = 0; i < other.vertices.size(); i += 3) {
        Vertex v[3];
        for (int k = 0; k < 3; ++k) {
            const Vertex& s = other.vertices[i + size_t(k)];
            v[k].position = glm::vec3(transform * glm::vec4(s.position, 1.0f));
            v[k].normal = glm::normalize(normalMatrix * s.normal);
            v[k].uv = s.uv;
        }
        if (mirrored) std::swap(v[1], v[2]);
        triangle(v[0], v[1], v[2]);
    }
}

glm::vec3 Mesh::boundsMin() const {
    glm::vec3 m(1e30f);
    for (const Vertex& v : vertices) m = glm::min(m, v.position);
    return m;
}

glm::vec3 Mesh::boundsMax() const {
    glm::vec3 m(-1e30f);
    for (const Vertex& v : vertices) m = glm::max(m, v.position);
    return m;
}

void Mesh::smoothNormals(size_t first) {
    std::map<std::tuple<float, float, float>, glm::vec3> sums;
    for (size_t i = first; i + 2 < vertices.size(); i += 3) {
        glm::vec3 a = vertices[i].position, b = vertices[i + 1].position, c = vertices[i + 2].position;
        glm::vec3 n = glm::cross(b - a, c - a);  // area-weighted
        for (int k = 0; k < 3; ++k) {
            glm::vec3 p = vertices[i + size_t(k)].position;
            sums[{p.x, p.y, p.z}] += n;
        }
    }
    for (size_t i = first; i < vertices.size(); ++i) {
        glm::vec3 p = vertices[i].position;
        glm::vec3 n = sums[{p.x, p.y, p.z}];
        if (glm::length(n) > 1e-12f) vertices[i].normal = glm::normalize(n);
    }
}

void Mesh::offsetUV(glm::vec2 delta, size_t first) {
    for (size_t i = first; i < vertices.size(); ++i) vertices[i].uv += delta;
}

void addPolygon(Mesh& mesh, const std::vector<glm::vec3>& points, glm::vec3 inside, const UVRect& rect, float rectPerUnit) {
    glm::vec3 centre(0.0f);
    for (const glm::vec3& p : points) centre += p;
    centre /= float(points.size());
    // Newell's normal of the polygon in the given order.
    glm::vec3 normal(0.0f);
    for (size_t i = 0; i < points.size(); ++i) {
        const glm::vec3& a = points[i];
        const glm::vec3& b = points[(i + 1) % points.size()];
        normal += glm::vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
    }
    normal = glm::normalize(normal);
    std::vector<glm::vec3> ordered = points;
    if (glm::dot(normal, centre - inside) < 0.0f) {
        std::reverse(ordered.begin(), ordered.end());
        normal = -normal;
    }
    // Planar projection axes: a tangent that stays horizontal where it can.
    glm::vec3 up = std::fabs(normal.y) > 0.9f ? glm::vec3(0, 0, -1) : glm::vec3(0, 1, 0);
    glm::vec3 tangent = glm::normalize(glm::cross(up, normal));
    glm::vec3 bitangent = glm::cross(normal, tangent);
    glm::vec2 low(1e30f), high(-1e30f);
    for (const glm::vec3& p : ordered) {
        glm::vec2 q(glm::dot(p, tangent), glm::dot(p, bitangent));
        low = glm::min(low, q);
        high = glm::max(high, q);
    }
    auto vertex = [&](const glm::vec3& p) {
        glm::vec2 q(glm::dot(p, tangent) - low.x, glm::dot(p, bitangent) - low.y);
        glm::vec2 t = glm::clamp(q * rectPerUnit, 0.0f, 1.0f);
        return Vertex{p, normal, rect.map(t)};
    };
    for (size_t i = 1; i + 1 < ordered.size(); ++i) mesh.triangle(vertex(ordered[0]), vertex(ordered[i]), vertex(ordered[i + 1]));
}

void addBox(Mesh& mesh, glm::vec3 minCorner, glm::vec3 maxCorner, float bevel, const UVRect& rect, const glm::mat4& transform, bool underside) {
    Mesh box;
    glm::vec3 c = (minCorner + maxCorner) * 0.5f, h = (maxCorner - minCorner) * 0.5f;
    float extent = std::max({h.x, h.y, h.z}) * 2.0f;
    float perUnit = 1.0f / extent;
    bevel = std::min({bevel, h.x * 0.5f, h.y * 0.5f, h.z * 0.5f});
    // Corner point of sign s pushed in by the bevel on every axis but `axis`.
    auto corner = [&](glm::vec3 s, int axis) {
        glm::vec3 inset = h - glm::vec3(bevel);
        inset[axis] = h[axis];
        return c + s * inset;
    };
    for (int axis = 0; axis < 3; ++axis) {
        for (float sign : {-1.0f, 1.0f}) {
            if (axis == 1 && sign < 0.0f && !underside) continue;
            int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
            std::vector<glm::vec3> face;
            for (auto [p, q] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}}) {
                glm::vec3 s;
                s[axis] = sign;
                s[a1] = p;
                s[a2] = q;
                face.push_back(corner(s, axis));
            }
            addPolygon(box, face, c, rect, perUnit);
        }
    }
    if (bevel > 0.0f) {
        // Edge strips between two faces, then the corner triangles.
        for (int axis = 0; axis < 3; ++axis) {
            int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
            for (float s1 : {-1.0f, 1.0f}) {
                for (float s2 : {-1.0f, 1.0f}) {
                    std::vector<glm::vec3> strip;
                    for (float along : {-1.0f, 1.0f}) {
                        glm::vec3 s;
                        s[axis] = along;
                        s[a1] = s1;
                        s[a2] = s2;
                        strip.push_back(corner(s, a1));
                    }
                    for (float along : {1.0f, -1.0f}) {
                        glm::vec3 s;
                        s[axis] = along;
                        s[a1] = s1;
                        s[a2] = s2;
                        strip.push_back(corner(s, a2));
                    }
                    addPolygon(box, strip, c, rect, perUnit);
                }
            }
        }
        for (int i = 0; i < 8; ++i) {
            glm::vec3 s((i & 1) ? 1.0f : -1.0f, (i & 2) ? 1.0f : -1.0f, (i & 4) ? 1.0f : -1.0f);
            addPolygon(box, {corner(s, 0), corner(s, 1), corner(s, 2)}, c, rect, perUnit);
        }
    }
    mesh.append(box, transform);
}

void addDisc(Mesh& mesh, const glm::mat4& frame, float radius, int segments, const UVRect& rect, float turn) {
    const float tau = glm::two_pi<float>();
    Mesh disc;
    auto corner = [&](int i) {
        float a = float(i) / float(segments) * tau + turn;
        glm::vec2 c(std::cos(a), std::sin(a));
        return Vertex{glm::vec3(c * radius, 0.0f), {0, 0, 1}, rect.map(0.5f + 0.5f * c)};
    };
    // A fan from the first corner: the texture is an affine map of the plane, so
    // no centre vertex is needed.
    for (int i = 1; i + 1 < segments; ++i) disc.triangle(corner(0), corner(i), corner(i + 1));
    mesh.append(disc, frame);
}

void addSurface(Mesh& mesh, int columns, int rows, const std::function<glm::vec3(float, float)>& position, const UVRect& rect, bool flip) {
    const float e = 1e-3f;
    auto normalAt = [&](float s, float t) {
        float sc = glm::clamp(s, e, 1.0f - e), tc = glm::clamp(t, e, 1.0f - e);
        glm::vec3 ds = position(sc + e, tc) - position(sc - e, tc);
        glm::vec3 dt = position(sc, tc + e) - position(sc, tc - e);
        glm::vec3 n = glm::cross(ds, dt);
        if (glm::length(n) < 1e-12f) return glm::vec3(0, 1, 0);
        n = glm::normalize(n);
        return flip ? -n : n;
    };
    std::vector<Vertex> grid;
    grid.reserve(size_t(columns + 1) * size_t(rows + 1));
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= columns; ++i) {
            float s = float(i) / float(columns), t = float(j) / float(rows);
            grid.push_back({position(s, t), normalAt(s, t), rect.map({s, t})});
        }
    }
    auto g = [&](int i, int j) { return grid[size_t(j) * size_t(columns + 1) + size_t(i)]; };
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            Vertex a = g(i, j), b = g(i + 1, j), c = g(i + 1, j + 1), d = g(i, j + 1);
            // Skip triangles collapsed at a pole.
            auto emit = [&](const Vertex& p, const Vertex& q, const Vertex& r) {
                if (glm::length(glm::cross(q.position - p.position, r.position - p.position)) < 1e-9f) return;
                if (flip) mesh.triangle(p, r, q);
                else mesh.triangle(p, q, r);
            };
            emit(a, b, c);
            emit(a, c, d);
        }
    }
}

void addCylinder(Mesh& mesh, const glm::mat4& frame, float radiusStart, float radiusEnd, float length, int segments, const UVRect& sideRect, const UVRect& capRect, bool capStart, bool capEnd, float turn) {
    Mesh part;
    const float tau = glm::two_pi<float>();
    addSurface(part, segments, 1, [&](float s, float t) {
        float a = s * tau + turn;
        float r = glm::mix(radiusStart, radiusEnd, t);
        return glm::vec3(std::cos(a) * r, std::sin(a) * r, t * length);
    }, sideRect, false);
    auto cap = [&](float z, float r, bool facingPositive) {
        glm::vec3 n(0, 0, facingPositive ? 1.0f : -1.0f);
        Vertex centre{{0, 0, z}, n, capRect.map({0.5f, 0.5f})};
        for (int i = 0; i < segments; ++i) {
            float a0 = float(i) / float(segments) * tau + turn, a1 = float(i + 1) / float(segments) * tau + turn;
            // Texture angle follows the geometry, so a turned wheel shows turned spokes.
            Vertex p{{std::cos(a0) * r, std::sin(a0) * r, z}, n, capRect.map({0.5f + 0.5f * std::cos(a0), 0.5f + 0.5f * std::sin(a0)})};
            Vertex q{{std::cos(a1) * r, std::sin(a1) * r, z}, n, capRect.map({0.5f + 0.5f * std::cos(a1), 0.5f + 0.5f * std::sin(a1)})};
            if (facingPositive) part.triangle(centre, p, q);
            else part.triangle(centre, q, p);
        }
    };
    if (capStart) cap(0.0f, radiusStart, false);
    if (capEnd) cap(length, radiusEnd, true);
    mesh.append(part, frame);
}

void addLathe(Mesh& mesh, const glm::mat4& frame, const std::vector<glm::vec2>& profile, int segments, const UVRect& rect, bool smoothProfile, const std::function<float(float, float)>& radiusScale) {
    const float tau = glm::two_pi<float>();
    float total = 0.0f;
    std::vector<float> along{0.0f};
    for (size_t i = 1; i < profile.size(); ++i) {
        total += glm::length(profile[i] - profile[i - 1]);
        along.push_back(total);
    }
    auto point = [&](int i, size_t k) {
        // The seam column repeats the first one exactly, so smoothing joins it.
        float a = float(i % segments) / float(segments) * tau;
        float r = profile[k].x * (radiusScale ? radiusScale(a, profile[k].y) : 1.0f);
        return glm::vec3(std::cos(a) * r, profile[k].y, -std::sin(a) * r);
    };
    Mesh part;
    for (size_t k = 0; k + 1 < profile.size(); ++k) {
        Mesh band;
        for (int i = 0; i < segments; ++i) {
            Vertex v[4];
            int is[4] = {i, i + 1, i + 1, i};
            size_t ks[4] = {k, k, k + 1, k + 1};
            for (int m = 0; m < 4; ++m) {
                v[m].position = point(is[m], ks[m]);
                v[m].normal = glm::vec3(0, 1, 0);
                v[m].uv = rect.map({float(is[m]) / float(segments), along[ks[m]] / total});
            }
            auto emit = [&](const Vertex& a, const Vertex& b, const Vertex& c) {
                if (glm::length(glm::cross(b.position - a.position, c.position - a.position)) > 1e-9f) band.triangle(a, b, c);
            };
            emit(v[0], v[1], v[2]);
            emit(v[0], v[2], v[3]);
        }
        // Smooth around the band; creases stay between bands unless asked otherwise.
        if (!smoothProfile) band.smoothNormals();
        part.append(band);
    }
    if (smoothProfile) part.smoothNormals();
    mesh.append(part, frame);
}

std::vector<glm::vec3> icosphereTriangles(int subdivisions) {
    const float t = (1.0f + std::sqrt(5.0f)) * 0.5f;
    std::vector<glm::vec3> p = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                                {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    int faces[20][3] = {{0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                        {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
                        {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}};
    std::vector<glm::vec3> tris;
    for (auto& f : faces)
        for (int k = 0; k < 3; ++k) tris.push_back(glm::normalize(p[size_t(f[k])]));
    for (int s = 0; s < subdivisions; ++s) {
        std::vector<glm::vec3> next;
        for (size_t i = 0; i < tris.size(); i += 3) {
            glm::vec3 a = tris[i], b = tris[i + 1], c = tris[i + 2];
            glm::vec3 ab = glm::normalize(a + b), bc = glm::normalize(b + c), ca = glm::normalize(c + a);
            for (glm::vec3 v : {a, ab, ca, ab, b, bc, ca, bc, c, ab, bc, ca}) next.push_back(v);
        }
        tris = next;
    }
    return tris;
}

// A displaced icosphere with spherical texture coordinates; triangles that
// straddle the u seam get their coordinates unwrapped so the texture (which
// tiles in u) stays continuous.
std::vector<glm::vec3> cubeSphereTriangles() {
    const glm::mat3 turn = glm::mat3(glm::rotate(glm::mat4(1.0f), 0.5f, glm::vec3(1, 0, 0)) * glm::rotate(glm::mat4(1.0f), 0.3f, glm::vec3(0, 0, 1)));
    std::vector<glm::vec3> tris;
    for (int axis = 0; axis < 3; ++axis) {
        for (float sign : {-1.0f, 1.0f}) {
            // (p, q) across the face, each -1, 0 or 1.
            auto point = [&](float p, float q) {
                glm::vec3 v;
                v[axis] = sign;
                v[(axis + 1) % 3] = p;
                v[(axis + 2) % 3] = q;
                return glm::normalize(turn * v);
            };
            for (float p : {-1.0f, 1.0f})
                for (float q : {-1.0f, 1.0f})
                    for (glm::vec3 v : {point(0, 0), point(p, 0), point(p, q), point(0, 0), point(p, q), point(0, q)}) tris.push_back(v);
        }
    }
    return tris;
}

Mesh lumpySphere(const std::vector<glm::vec3>& unit, const std::function<float(glm::vec3)>& radius) {
    const float tau = glm::two_pi<float>();
    Mesh mesh;
    for (size_t i = 0; i < unit.size(); i += 3) {
        Vertex v[3];
        for (int k = 0; k < 3; ++k) {
            glm::vec3 d = unit[i + size_t(k)];
            v[k].position = d * radius(d);
            v[k].normal = d;
            v[k].uv = {std::atan2(d.x, d.z) / tau + 0.5f, std::asin(glm::clamp(d.y, -1.0f, 1.0f)) / glm::pi<float>() + 0.5f};
        }
        float maxU = std::max({v[0].uv.x, v[1].uv.x, v[2].uv.x});
        for (Vertex& x : v)
            if (maxU - x.uv.x > 0.5f) x.uv.x += 1.0f;
        mesh.facingTriangle(v[0], v[1], v[2]);
    }
    mesh.smoothNormals();
    return mesh;
}

namespace {
std::string number(float v) {
    char buffer[32];
    if (std::fabs(v) < 5e-5f) v = 0.0f;  // no "-0.0000"
    std::snprintf(buffer, sizeof buffer, "%.4f", double(v));
    return buffer;
}

std::string triple(glm::vec3 v) { return number(v.x) + " " + number(v.y) + " " + number(v.z); }
}  // namespace

void writeObj(const Mesh& mesh, const std::string& directory, const std::string& name, const Material& material) {
    std::filesystem::create_directories(directory);
    // Positions are written with four decimals; a sliver that rounding collapses
    // (the last ring around a pole) would be a zero-area face without a tangent.
    Mesh kept;
    auto rounded = [](glm::vec3 p) { return glm::round(p * 10000.0f) / 10000.0f; };
    for (size_t i = 0; i + 2 < mesh.vertices.size(); i += 3) {
        glm::vec3 a = rounded(mesh.vertices[i].position), b = rounded(mesh.vertices[i + 1].position), c = rounded(mesh.vertices[i + 2].position);
        if (glm::length(glm::cross(b - a, c - a)) > 1e-7f) kept.triangle(mesh.vertices[i], mesh.vertices[i + 1], mesh.vertices[i + 2]);
    }
    std::ostringstream obj;
    obj << "# Sandlark model " << name << ", made by tools/assetgen\n";
    obj << "mtllib " << name << ".mtl\n";
    obj << "o " << name << "\n";
    for (const Vertex& v : kept.vertices) obj << "v " << triple(v.position) << "\n";
    for (const Vertex& v : kept.vertices) obj << "vt " << number(v.uv.x) << " " << number(v.uv.y) << "\n";
    for (const Vertex& v : kept.vertices) obj << "vn " << triple(v.normal) << "\n";
    obj << "usemtl " << material.name << "\n";
    obj << "s off\n";
    for (size_t i = 0; i < kept.vertices.size(); i += 3) {
        obj << "f";
        for (size_t k = 1; k <= 3; ++k) {
            size_t index = i + k;
            obj << " " << index << "/" << index << "/" << index;
        }
        obj << "\n";
    }
    std::ofstream(directory + "/" + name + ".obj", std::ios::binary) << obj.str();

    // Assimp puts a synthetic "DefaultMaterial" first, and the game reads its
    // colours from the first material and loads normal and reflection maps while
    // visiting a material without a diffuse texture. So the colours are given
    // twice: untextured under that name (it fills the first slot), and with the
    // texture under the material the faces use.
    std::ostringstream mtl;
    mtl << "# Sandlark material of " << name << "\n";
    for (const std::string& materialName : {std::string("DefaultMaterial"), material.name}) {
        mtl << "newmtl " << materialName << "\n";
        mtl << "Ka " << triple(material.ambient) << "\n";
        mtl << "Kd " << triple(material.diffuse) << "\n";
        mtl << "Ks " << triple(material.specular) << "\n";
        mtl << "Ke " << triple(material.emissive) << "\n";
        mtl << "Ns " << number(material.shininess) << "\n";
        mtl << "d 1.0000\n";
        mtl << "illum 2\n";
        if (materialName != "DefaultMaterial") mtl << "map_Kd " << material.texture << "\n";
        mtl << "\n";
    }
    std::ofstream(directory + "/" + name + ".mtl", std::ios::binary) << mtl.str();

    glm::vec3 lo = kept.boundsMin(), hi = kept.boundsMax();
    std::printf("    %-22s %5zu triangles  x %7.2f..%-7.2f y %7.2f..%-7.2f z %7.2f..%-7.2f\n", name.c_str(), kept.triangleCount(),
                double(lo.x), double(hi.x), double(lo.y), double(hi.y), double(lo.z), double(hi.z));
}

Mesh readObj(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("could not read " + path);
    std::vector<glm::vec3> positions, normals;
    std::vector<glm::vec2> uvs;
    Mesh mesh;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "v") {
            glm::vec3 p;
            words >> p.x >> p.y >> p.z;
            positions.push_back(p);
        } else if (kind == "vt") {
            glm::vec2 t;
            words >> t.x >> t.y;
            uvs.push_back(t);
        } else if (kind == "vn") {
            glm::vec3 n;
            words >> n.x >> n.y >> n.z;
            normals.push_back(n);
        } else if (kind == "f") {
            Vertex v[3];
            for (Vertex& x : v) {
                std::string corner;
                words >> corner;
                size_t a = 0, b = 0, c = 0;
                std::sscanf(corner.c_str(), "%zu/%zu/%zu", &a, &b, &c);
                x = {positions.at(a - 1), normals.at(c - 1), uvs.at(b - 1)};
            }
            mesh.triangle(v[0], v[1], v[2]);
        }
    }
    return mesh;
}
