// Builds one shader program the way the game does, in a process of its own, so
// tests can watch the fatal paths: shader_probe <vertex path> <fragment path>.
#include "assets/ShaderProgram.h"
#include "support/GlDriver.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: shader_probe <vertex> <fragment>" << std::endl;
        return 2;
    }
    keepGlDriverLoaded(); // for the leak check at exit, after glfwTerminate
    if (!glfwInit())
        return 3;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    GLFWwindow* window = glfwCreateWindow(64, 64, "shader_probe", nullptr, nullptr);
    if (!window)
        return 4;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return 5;
    auto program = createShaderProgram(argv[1], argv[2]);
    std::cout << "built" << std::endl;
    program.reset();
    glfwTerminate();
    return 0;
}
