#include "render/LightUniforms.h"

#include "assets/ShaderProgram.h"

#include <glm/gtc/type_ptr.hpp>

void setLightUniforms(const ShaderProgram& program, const std::vector<Light>& lights)
{
    const GLuint name = program.program;
    glUniform1i(glGetUniformLocation(name, "numLights"), static_cast<GLint>(lights.size()));
    for (std::size_t i = 0; i < lights.size(); ++i) {
        const Light& light = lights[i];
        const GLint position = glGetUniformLocation(name, lightUniformName(i, "position").c_str());
        const GLint color = glGetUniformLocation(name, lightUniformName(i, "color").c_str());
        const GLint attenuation = glGetUniformLocation(name, lightUniformName(i, "attenuation").c_str());
        const GLint ambientCE = glGetUniformLocation(name, lightUniformName(i, "ambientCE").c_str());
        const GLint spotlightAngle = glGetUniformLocation(name, lightUniformName(i, "spotlightAngle").c_str());
        const GLint spotlightDirection = glGetUniformLocation(name, lightUniformName(i, "spotlightDirection").c_str());
        glUniform4fv(position, 1, glm::value_ptr(light.position));
        glUniform3fv(color, 1, glm::value_ptr(light.color));
        glUniform1f(attenuation, light.attenuation);
        glUniform1f(ambientCE, light.ambientCE);
        glUniform1f(spotlightAngle, light.spotlightAngle);
        glUniform3fv(spotlightDirection, 1, glm::value_ptr(light.spotlightDirection));
    }
}
