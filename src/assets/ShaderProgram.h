#pragma once
// A linked GL program built from one vertex and one fragment source file.
// Building is all-or-nothing: any failure prints its message, pauses the console
// and ends the process with status 255, so a ShaderProgram that exists is usable.
#include "assets/GlObject.h"

#include <memory>
#include <optional>
#include <string>

// Why a build failed: the console line, and the driver's log where there is one.
struct ShaderBuildError {
    std::string message;
    std::optional<std::string> log;
};

class ShaderProgram {
public:
    // All three are deleted with the object, so rebuilding the programs for
    // every level leaves no program or shader behind.
    GlObject program;        // the only name other code reads
    GlObject vertexShader;   // attached for the program's whole life
    GlObject fragmentShader;

    // Builds from the two files (paths as the game writes them, see resolvePath).
    // Returns only on success.
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath);

    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Builds without ending the process: null and the reason on failure.
    static std::unique_ptr<ShaderProgram> tryBuild(const std::string& vertexPath, const std::string& fragmentPath,
                                                   ShaderBuildError& error);

private:
    ShaderProgram() = default;
    std::optional<ShaderBuildError> build(const std::string& vertexPath, const std::string& fragmentPath);
    std::optional<ShaderBuildError> loadShader(const std::string& path, GLenum type, GlObject& outShader);
    std::optional<ShaderBuildError> link();
};

// The heap form the asset catalogue and the screens use.
std::unique_ptr<ShaderProgram> createShaderProgram(std::string vertexPath, std::string fragmentPath);
