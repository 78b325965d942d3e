#pragma once
// What the game world may know of a mesh without OpenGL: its bounding box and
// extent. The GL Mesh derives from it, so game objects point at a MeshBounds
// and the renderer draws the Mesh behind it; tests build MeshBounds by hand.
#include <glm/vec3.hpp>

#include <limits>

struct MeshBounds {
    glm::vec3 size{0.0f};  // boundsMax - boundsMin per axis: the extent collision uses
    glm::vec3 boundsMin{std::numeric_limits<float>::max()};
    glm::vec3 boundsMax{std::numeric_limits<float>::lowest()};

    virtual ~MeshBounds() = default;

    // Sets the box and derives `size` from it.
    void setBounds(const glm::vec3& minimum, const glm::vec3& maximum)
    {
        boundsMin = minimum;
        boundsMax = maximum;
        size = maximum - minimum;
    }
};
