#pragma once
// One drawable model on the GPU: one tightly packed buffer per vertex attribute
// behind a vertex array (a large model's triangles grouped into pieces), the material colours in a uniform buffer, the colour,
// normal-map and reflection-map textures, and the program it is drawn with.
// Game objects see it through MeshBounds; everything GL goes with the mesh.
#include "assets/GlObject.h"
#include "assets/MeshBounds.h"
#include "assets/MeshData.h"
#include "assets/MeshPieces.h"
#include "assets/ShaderProgram.h"

#include <functional>

class Mesh : public MeshBounds {
public:
    ShaderProgram* program = nullptr; // drawn with by default; not owned, shared by many meshes
    MeshData data;                    // the import record; shares its arrays and images
    GlObject vao;
    GlObject positionBuffer;
    GlObject normalBuffer;
    GlObject texCoordBuffer;
    GlObject tangentBuffer;
    GlObject bitangentBuffer;
    GlObject materialBuffer; // 80 bytes of Material, only when the program has the block
    GlObject colorTexture;
    GlObject normalTexture;     // only with a normal map
    GlObject reflectionTexture; // only with a reflection map

    // Builds every GPU object with `program` current and leaves no program,
    // vertex array or buffer bound. Needs a current GL context.
    Mesh(const MeshData& data, ShaderProgram* program);

    // Draws with the mesh's own program. The caller sets the object's uniforms
    // with that program current just before. The draws leave their program
    // current: a pass draws object after object with the same program, and
    // making no program current between two of them had the driver look the
    // program's state up afresh for every draw. A pass ends with program 0.
    void draw() const;
    // Draws with `other`, which must give "vertPosition" (and whatever else it
    // reads) the location the mesh's own program gives it.
    void draw(const ShaderProgram* other) const;
    // The same, but a mesh made of pieces (a large one, see MeshPieces.h)
    // draws only the pieces `shows` accepts; a small one is drawn whole.
    void draw(const ShaderProgram* other, const std::function<bool(const MeshPiece&)>& shows) const;

    // (Re)creates the material textures with the filters the two toggle
    // counters choose, deleting the textures they replace.
    void setupTextures(int textureSamplingMode, int mipmapMode);
};

// The uniform-buffer binding point the "Material" block of every program reads.
inline constexpr GLuint materialBindingPoint = 0;
