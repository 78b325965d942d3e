// The model import as the asset catalogue calls it: Assimp with the game's
// flags, then our mesh record. The input is an OBJ file, optionally followed
// by a line "#--- model.mtl ---" and the material library it names; the
// diffuse texture and the caller's normal map beside it are small real images.
// A file that cannot be read is the game's "ERROR READING MESH"; anything
// that reads must give a record the mesh upload can trust.
#include "FuzzScratch.h"

#include "assets/ModelLoader.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {

const std::string_view materialSeparator = "\n#--- model.mtl ---\n";

std::string modelFolder()
{
    return fuzzScratchFolder() + "/Assets";
}

void fail(const char* what)
{
    std::cerr << "mesh record: " << what << std::endl;
    std::abort();
}

void expectArray(const std::shared_ptr<const std::vector<float>>& values, bool flagged, std::size_t perVertex,
                 std::uint32_t vertexCount, const char* what)
{
    if (flagged != (values != nullptr))
        fail(what);
    if (values && values->size() != perVertex * vertexCount)
        fail(what);
}

void expectImage(const Image& image)
{
    if (image.pixels != nullptr && (image.width == 0 || image.height == 0))
        fail("an image with pixels and no size");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceStandardOutput();
    // A small JPEG of the image seeds serves as the texture and the normal map.
    const std::string texture = readFuzzFile(SANDLARK_FUZZ_TEXTURE);
    writeFuzzFile(modelFolder() + "/model.jpg", texture);
    writeFuzzFile(modelFolder() + "/normal.jpg", texture);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(materialSeparator);
    const std::string_view obj = input.substr(0, split);
    const std::string_view mtl =
        split == std::string_view::npos ? std::string_view() : input.substr(split + materialSeparator.size());
    writeFuzzFile(modelFolder() + "/model.obj", std::string(obj));
    writeFuzzFile(modelFolder() + "/model.mtl", std::string(mtl));

    // The game's paths are relative with backslashes; these are absolute so
    // that libFuzzer's own relative paths keep working.
    MeshData record;
    ModelLoader loader;
    const std::string folder = modelFolder();
    if (!loader.tryLoad(record, folder + "\\model.obj", folder + "\\normal.jpg", ""))
        return 0;

    expectArray(record.positions, record.hasPositions, 3, record.vertexCount, "positions");
    expectArray(record.normals, record.hasNormals, 3, record.vertexCount, "normals");
    expectArray(record.texCoords, record.hasTexCoords, 2, record.vertexCount, "texture coordinates");
    if (record.hasTangents) {
        expectArray(record.tangents, true, 3, record.vertexCount, "tangents");
        expectArray(record.bitangents, true, 3, record.vertexCount, "bitangents");
    }
    if (record.drawCount > record.vertexCount || record.drawCount % 3 != 0)
        fail("the draw reads past the arrays or ends inside a triangle");
    expectImage(record.colorImage);
    expectImage(record.normalImage);
    expectImage(record.reflectionImage);
    return 0;
}
