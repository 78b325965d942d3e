#pragma once
// The file access the model import gives Assimp: its own, except that only
// regular files open (a directory named as a material library makes the
// library leak the stream it opened) and a material library that would crash
// the library (see MaterialLibraryCheck.h) reads as missing. A model whose
// material library is missing still imports, with the default material.
#include <assimp/DefaultIOSystem.h>

#include <string>
#include <utility>

class ModelFileSystem : public Assimp::DefaultIOSystem {
public:
    // `modelPath` is the file being imported; every other file Assimp opens
    // during the import is one of its material libraries.
    explicit ModelFileSystem(std::string modelPath) : modelPath(std::move(modelPath)) {}

    Assimp::IOStream* Open(const char* file, const char* mode = "rb") override;

private:
    std::string modelPath;
};
