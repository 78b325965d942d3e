#include "render/ShadowMap.h"

#include "render/Framebuffer.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

bool createShadowMap(ShadowMap& shadowMap)
{
    shadowMap.shadowFramebuffer = createFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.shadowFramebuffer);

    // Unit 4 stays selected: the lit shaders read the shadow map there.
    glActiveTexture(GL_TEXTURE4);
    shadowMap.shadowMapTexture = createTargetTexture(GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_FLOAT,
                                                     shadowMapSize, shadowMapSize, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowMap.shadowMapTexture, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    return checkFramebufferStatus();
}

glm::mat4 lightViewProjection(const Light& light)
{
    const glm::vec3 eye(light.position);
    const glm::mat4 view = glm::lookAt(eye, eye + light.spotlightDirection, glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat4 projection = glm::perspective(1.3962634f, 1.0f, 1.0f, 2000.0f);
    return projection * view;
}

void aimShadowMap(const ShaderProgram& shadowProgram, const Light& light)
{
    glUseProgram(shadowProgram.program);
    setLightViewProjection(shadowProgram, light);
    glUseProgram(0);
}

void setLightViewProjection(const ShaderProgram& program, const Light& light)
{
    const glm::mat4 matrix = lightViewProjection(light);
    glUniformMatrix4fv(glGetUniformLocation(program.program, "lightVPMatrix"), 1, GL_FALSE, glm::value_ptr(matrix));
}
