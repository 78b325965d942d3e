#include "assets/ShaderProgram.h"

#include "platform/Platform.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

std::string shaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, length, nullptr, buffer.data());
    return std::string(buffer.data());
}

std::string programLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, length, nullptr, buffer.data());
    return std::string(buffer.data());
}

} // namespace

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath)
{
    if (auto error = build(vertexPath, fragmentPath)) {
        // The fatal path: the message (and the driver's log), the console pause,
        // then status 255. No file name is printed and nothing is cleaned up.
        std::cout << error->message << std::endl;
        if (error->log)
            std::cout << *error->log << std::endl;
        consolePause();
        std::exit(-1);
    }
}

std::unique_ptr<ShaderProgram> ShaderProgram::tryBuild(const std::string& vertexPath, const std::string& fragmentPath,
                                                       ShaderBuildError& error)
{
    std::unique_ptr<ShaderProgram> result(new ShaderProgram());
    if (auto failure = result->build(vertexPath, fragmentPath)) {
        error = *failure;
        return nullptr;
    }
    return result;
}

std::optional<ShaderBuildError> ShaderProgram::build(const std::string& vertexPath, const std::string& fragmentPath)
{
    program = GlObject::create(GlObject::Kind::Program);
    if (program == 0)
        return ShaderBuildError{"No valid program handle", std::nullopt};
    // The vertex file is always handled first, so two missing files report once.
    if (auto error = loadShader(vertexPath, GL_VERTEX_SHADER, vertexShader))
        return error;
    if (auto error = loadShader(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader))
        return error;
    return link();
}

std::optional<ShaderBuildError> ShaderProgram::loadShader(const std::string& path, GLenum type, GlObject& outShader)
{
    std::ifstream file(resolvePath(path));
    if (!file.good())
        return ShaderBuildError{"Shader file missing", std::nullopt};
    const std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();

    outShader = GlObject::createShader(type);
    const GLuint shader = outShader;
    if (shader == 0)
        return ShaderBuildError{"Invalid shader handle", std::nullopt};

    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != 0 && glIsShader(shader)) {
        glAttachShader(program, shader);
        return std::nullopt;
    }
    return ShaderBuildError{"Failed to compile shader", shaderLog(shader)};
}

std::optional<ShaderBuildError> ShaderProgram::link()
{
    // Every fragment shader writes its colour to "finalColor", draw buffer 0.
    glBindFragDataLocation(program, 0, "finalColor");
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == 0)
        return ShaderBuildError{"Failed to link shader program", programLog(program)};
    return std::nullopt;
}

std::unique_ptr<ShaderProgram> createShaderProgram(std::string vertexPath, std::string fragmentPath)
{
    return std::make_unique<ShaderProgram>(vertexPath, fragmentPath);
}
