#include "game/Crawler.h"

#include <glm/gtc/matrix_transform.hpp>

#include <utility>

Crawler::Crawler(const CrawlerMeshes& meshes)
    : basePart(meshes.base),
      bodyPart(meshes.body),
      destroyedModel(meshes.destroyed),
      marker(meshes.marker),
      trackModels{meshes.base, meshes.base1, meshes.base3}
{
    marker.scale = glm::vec3(0.1f);
    marker.prevModelMatrix = marker.modelMatrix(); // the initial state includes the marker's size
}

void Crawler::placeOnPath(PathFollower follower)
{
    placeOwnerOnPath(std::move(follower), position, rotation);
}

glm::mat4 Crawler::modelMatrix() const
{
    return placedModelMatrix(position, pivot, rotation, scale);
}

void Crawler::update(float dt)
{
    if (!destroyed) {
        // Frames 1, 2, 1, 3 for 0.05 s each. The update that reaches 0.2 only
        // rewinds the timer, so frame 3 shows for one update more.
        trackTimer += dt;
        const float t = trackTimer;
        if (t < 0.05)
            basePart.model = trackModels[0];
        else if (t < 0.1)
            basePart.model = trackModels[1];
        else if (t < 0.15)
            basePart.model = trackModels[0];
        else if (t < 0.2)
            basePart.model = trackModels[2];
        else
            trackTimer = 0.0f;
    }

    // A destroyed crawler has speed 0: it stays where it was hit, still facing
    // its target.
    step(position, rotation, dt);

    basePart.position = position;
    basePart.rotation = rotation;
    bodyPart.position = position;
    bodyPart.rotation = rotation;
    marker.position = position + glm::vec3(0.0f, 20.0f, 0.0f);
    marker.rotation = glm::rotate(marker.rotation, -2.25f * dt, glm::vec3(0.0f, 1.0f, 0.0f));
}
