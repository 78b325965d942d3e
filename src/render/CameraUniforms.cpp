#include "render/CameraUniforms.h"

#include "assets/ShaderProgram.h"
#include "render/Camera.h"

#include <glm/gtc/type_ptr.hpp>

void setCameraUniforms(ShaderProgram& program)
{
    if (!currentCamera)
        return;
    const glm::mat4 matrix = currentCamera->matrix();
    glUniformMatrix4fv(glGetUniformLocation(program.program, "cameraMatrix"), 1, GL_FALSE, glm::value_ptr(matrix));
    glUniform3fv(glGetUniformLocation(program.program, "cameraPosition"), 1, glm::value_ptr(currentCamera->position));
}
