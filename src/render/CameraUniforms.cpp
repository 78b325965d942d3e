#include "render/CameraUniforms.h"

#include "assets/ShaderProgram.h"
#include "game/Camera.h"

#include <glm/gtc/type_ptr.hpp>

void setCameraUniforms(const ShaderProgram& program, const Camera& camera)
{
    const glm::mat4 matrix = camera.matrix();
    glUniformMatrix4fv(glGetUniformLocation(program.program, "cameraMatrix"), 1, GL_FALSE, glm::value_ptr(matrix));
    glUniform3fv(glGetUniformLocation(program.program, "cameraPosition"), 1, glm::value_ptr(camera.position));
}
