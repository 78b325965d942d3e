#include "assets/ModelLoader.h"

#include "platform/Platform.h"
#include "assets/ImageLoader.h"
#include "assets/ModelFileSystem.h"

#include <assimp/Importer.hpp>
#include <glm/common.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// Tangent space, smooth normals where the file has none, and every node's
// transform applied to its vertices. Faces are neither triangulated nor are
// identical vertices joined: the arrays hold the face corners in face order.
constexpr unsigned int importFlags =
    aiProcess_CalcTangentSpace | aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices;
static_assert(importFlags == 0x141);

// The folder part of `path`, up to its last separator of either kind.
std::string folderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    // A bare file name lives in the working directory; joining a texture to the
    // file name itself would name a file that cannot exist.
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

std::shared_ptr<const std::vector<float>> copyVectors(const aiVector3D* source, unsigned int count, int components)
{
    auto values = std::make_shared<std::vector<float>>();
    values->reserve(static_cast<size_t>(count) * static_cast<size_t>(components));
    for (unsigned int i = 0; i < count; ++i) {
        values->push_back(source[i].x);
        values->push_back(source[i].y);
        if (components == 3)
            values->push_back(source[i].z);
    }
    return values;
}

void readColor(const aiMaterial* material, const char* key, glm::vec4& member)
{
    aiColor4D color(0.0f, 0.0f, 0.0f, 0.0f);
    // The file's alpha is not used: every colour is opaque.
    if (aiGetMaterialColor(material, key, 0, 0, &color) == AI_SUCCESS)
        member = glm::vec4(color.r, color.g, color.b, 1.0f);
}

void readMaterialColors(const aiMaterial* material, Material& out)
{
    readColor(material, "$clr.diffuse", out.diffuse);
    readColor(material, "$clr.ambient", out.ambient);
    readColor(material, "$clr.specular", out.specular);
    readColor(material, "$clr.emissive", out.emissive);
    ai_real shininess = 0.0f;
    if (aiGetMaterialFloatArray(material, "$mat.shininess", 0, 0, &shininess, nullptr) == AI_SUCCESS &&
        shininess >= 0.0f && shininess <= 128.0f)
        out.shininess = shininess;
}

} // namespace

const Image& ModelLoader::image(const std::string& path)
{
    auto found = decoded_.find(path);
    if (found == decoded_.end())
        found = decoded_.emplace(path, loadImage(path)).first;
    return found->second;
}

bool ModelLoader::tryLoad(MeshData& out, const std::string& path, const std::string& normalMapPath,
                          const std::string& reflectionMapPath)
{
    const std::string directory = folderOf(path);
    std::cout << "Load model " << path << std::endl;

    // The importer owns the scene: both go when it does, at the end of this import.
    auto importer = std::make_unique<Assimp::Importer>();
    const std::string file = resolvePath(path);
    importer->SetIOHandler(new ModelFileSystem(file)); // the importer owns it
    const aiScene* scene = importer->ReadFile(file, importFlags);
    if (scene == nullptr || scene->mNumMeshes == 0 || scene->mMeshes[0] == nullptr)
        return false;

    const aiMesh* mesh = scene->mMeshes[0];
    const unsigned int vertexCount = mesh->mNumVertices;

    if (mesh->HasPositions() && vertexCount > 0) {
        out.positions = copyVectors(mesh->mVertices, vertexCount, 3);
        for (unsigned int i = 0; i < vertexCount; ++i) {
            const glm::vec3 p(mesh->mVertices[i].x, mesh->mVertices[i].y, mesh->mVertices[i].z);
            out.boundsMin = glm::min(out.boundsMin, p);
            out.boundsMax = glm::max(out.boundsMax, p);
        }
    }
    if (mesh->HasNormals() && vertexCount > 0)
        out.normals = copyVectors(mesh->mNormals, vertexCount, 3);
    if (mesh->HasTextureCoords(0) && vertexCount > 0)
        out.texCoords = copyVectors(mesh->mTextureCoords[0], vertexCount, 2);
    if (mesh->HasTangentsAndBitangents() && vertexCount > 0) {
        out.tangents = copyVectors(mesh->mTangents, vertexCount, 3);
        out.bitangents = copyVectors(mesh->mBitangents, vertexCount, 3);
    }

    for (unsigned int i = 0; i < scene->mNumMaterials; ++i) {
        const aiMaterial* material = scene->mMaterials[i];
        aiString texturePath;
        const bool hasDiffuseTexture =
            aiGetMaterialTexture(material, aiTextureType_DIFFUSE, 0, &texturePath, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr) == AI_SUCCESS;
        // The last material with a diffuse texture gives the colour image.
        if (hasDiffuseTexture)
            out.colorImage = image(directory + "\\" + texturePath.C_Str());
        // The caller's maps are loaded on the turn of every material without a
        // diffuse texture; the OBJ reader's own "DefaultMaterial" at index 0 is one.
        if (!hasDiffuseTexture && !normalMapPath.empty()) {
            out.normalImage = image(normalMapPath);
            out.hasNormalMap = true;
        }
        if (!hasDiffuseTexture && !reflectionMapPath.empty()) {
            out.reflectionImage = image(reflectionMapPath);
            out.hasReflectionMap = true;
        }
    }
    // The colours come from the material the mesh uses: the OBJ reader puts its
    // "DefaultMaterial" first, so the scene's first material never holds the
    // file's colours.
    if (mesh->mMaterialIndex < scene->mNumMaterials)
        readMaterialColors(scene->mMaterials[mesh->mMaterialIndex], out.material);

    out.vertexCount = vertexCount;
    out.faceCount = mesh->mNumFaces;
    out.drawCount = triangleDrawCount(out.faceCount, out.vertexCount);
    out.hasPositions = out.positions != nullptr;
    out.hasNormals = out.normals != nullptr;
    out.hasTexCoords = out.texCoords != nullptr;
    out.hasTangents = out.tangents != nullptr && out.bitangents != nullptr;

    importer.reset();
    std::cout << "Model " << path << " loaded" << std::endl;
    return true;
}

void ModelLoader::load(MeshData& out, const std::string& path, const std::string& normalMapPath,
                       const std::string& reflectionMapPath)
{
    if (tryLoad(out, path, normalMapPath, reflectionMapPath))
        return;
    std::cout << "ERROR READING MESH: " << path << std::endl;
    consolePause();
    std::exit(-1);
}
