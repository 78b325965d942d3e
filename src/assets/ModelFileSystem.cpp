#include "assets/ModelFileSystem.h"

#include "assets/MaterialLibraryCheck.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

Assimp::IOStream* ModelFileSystem::Open(const char* file, const char* mode)
{
    std::error_code error;
    if (file == nullptr || !std::filesystem::is_regular_file(file, error))
        return nullptr;
    if (file != modelPath) {
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!materialLibraryIsSafe(text))
            return nullptr;
    }
    return DefaultIOSystem::Open(file, mode);
}
