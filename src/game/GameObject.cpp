#include "game/GameObject.h"

#include <glm/gtc/matrix_transform.hpp>

#include <utility>

glm::mat4 placedModelMatrix(const glm::vec3& position, const glm::vec3& pivot, const glm::mat4& rotation,
                            const glm::vec3& scale)
{
    return glm::translate(glm::mat4(1.0f), position - pivot) * rotation * glm::scale(glm::mat4(1.0f), scale);
}

GameObject::GameObject(MeshBounds* model) : model(model)
{
    prevModelMatrix = modelMatrix();
}

glm::mat4 GameObject::modelMatrix() const
{
    return placedModelMatrix(position, pivot, rotation, scale);
}

void GameObject::update(float dt)
{
    prevModelMatrix = modelMatrix();
    step(position, rotation, dt);
}

void GameObject::placeOnPath(PathFollower follower)
{
    placeOwnerOnPath(std::move(follower), position, rotation);
}
