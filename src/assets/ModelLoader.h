#pragma once
// Imports one model file (Wavefront OBJ with its MTL) into a MeshData: the first
// mesh's vertex arrays, bounds and material colours, the diffuse texture the
// materials name, and the normal and reflection maps the caller names.
#include "assets/Image.h"
#include "assets/MeshData.h"

#include <string>
#include <unordered_map>

class ModelLoader {
public:
    // Imports `path` into `out`, printing "Load model <path>" before and
    // "Model <path> loaded" after. `normalMapPath` and `reflectionMapPath` may be
    // empty for none. `out` is not cleared first: bounds widen from its values,
    // so every model needs a fresh record. A file that cannot be read, or holds
    // no mesh, prints "ERROR READING MESH: <path>", pauses and ends the process
    // with status 255. Returns only on success.
    void load(MeshData& out, const std::string& path, const std::string& normalMapPath,
              const std::string& reflectionMapPath);

    // The same without ending the process: false (after the first line) when the
    // file cannot be read or holds no mesh.
    bool tryLoad(MeshData& out, const std::string& path, const std::string& normalMapPath,
                 const std::string& reflectionMapPath);

private:
    // An image file is decoded once per loader: the five crawler parts share
    // one texture. The records share the decoded pixels, which nothing writes.
    const Image& image(const std::string& path);

    std::unordered_map<std::string, Image> decoded_;
};
