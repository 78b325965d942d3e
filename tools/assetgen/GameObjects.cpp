// Small things of play: the tracer round, the explosion burst, the cannon
// barrel and the marble box.
#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Noise.h"

void generateGameObjects(const std::string& assets) {
    const std::string dir = assets + "/Gameobjects";
    // Tracer: a six-sided spindle, 6 long, 0.5 thick, origin at its centre. The
    // game stretches it into a streak behind each shot and each spark and
    // colours it as light (the player's warm white-gold, the crawlers'
    // red-orange), so its picture only shades the streak: an orange tail to a
    // white-hot tip.
    Mesh tracer;
    addLathe(tracer, glm::rotate(glm::mat4(1.0f), glm::half_pi<float>(), glm::vec3(1, 0, 0)),
             {{0.0f, -3.0f}, {0.22f, -1.2f}, {0.25f, 1.6f}, {0.0f, 3.0f}}, 6, {}, true);
    // The lathe's y became -z; flip so the hot tip leads along +z.
    Mesh tracerForward;
    tracerForward.append(tracer, glm::scale(glm::mat4(1.0f), glm::vec3(1.0f, 1.0f, -1.0f)));
    writeObj(tracerForward, dir, "projectile02", {"tracer", glm::vec3(1.0f, 0.9f, 0.5f), glm::vec3(1.0f, 0.95f, 0.6f), glm::vec3(1.0f), glm::vec3(1.0f, 0.85f, 0.3f), 96.0f, "projectile02.jpg"});
    paintJpeg(dir + "/projectile02.jpg", 256, [](glm::vec2 uv) {
        // v runs tail (0) to tip (1): orange tail, white-hot core.
        return glm::mix(hexColour(0xFF8A1A), hexColour(0xFFFBE8), smoothstep01(0.1f, 0.6f, uv.y)) * (0.95f + 0.05f * std::sin(uv.x * glm::two_pi<float>() * 6.0f));
    });

    // Explosion: a spiky burst about 8 across. The game draws its flashes with
    // it (muzzles, sparks, hits), as light of their own colours over the
    // picture's dark and bright flames.
    Mesh burst = lumpySphere(icosphereTriangles(2), [](glm::vec3 d) {
        float spikes = std::pow(fbm(d * 3.5f + 10.0f, 501, 2), 3.0f) * 8.0f;
        return 1.8f + 0.6f * fbm(d * 2.0f, 502, 3) + std::min(spikes, 2.3f);
    });
    writeObj(burst, dir, "simpleExplosion", {"explosion", glm::vec3(1.0f, 0.6f, 0.2f), glm::vec3(1.0f, 0.7f, 0.3f), glm::vec3(0.2f), glm::vec3(1.0f, 0.5f, 0.1f), 8.0f, "simpleExplosion.jpg"});
    paintJpeg(dir + "/simpleExplosion.jpg", 512, [](glm::vec2 uv) {
        float n = fbm(uv * glm::vec2(8.0f, 6.0f), 503, 5, 8);
        float t = smoothstep01(0.3f, 0.8f, n);
        glm::vec3 c = glm::mix(hexColour(0x5A1A08), hexColour(0xFF7A10), smoothstep01(0.0f, 0.5f, t));
        return glm::mix(c, hexColour(0xFFF0A0), smoothstep01(0.5f, 1.0f, t));
    });

    // Cannon: a barrel about 3 long with a muzzle brake and a breech ring.
    Mesh cannon;
    addLathe(cannon, glm::rotate(glm::mat4(1.0f), -glm::half_pi<float>(), glm::vec3(1, 0, 0)),
             {{0.0f, -1.5f}, {0.32f, -1.5f}, {0.32f, -1.05f}, {0.22f, -1.0f}, {0.17f, -0.9f}, {0.14f, 0.9f}, {0.21f, 0.95f}, {0.21f, 1.5f}, {0.1f, 1.5f}, {0.1f, 1.3f}},
             16, {}, false);
    writeObj(cannon, dir, "p_cannon", {"gunmetal", glm::vec3(0.2f), glm::vec3(0.6f), glm::vec3(0.8f), glm::vec3(0.0f), 96.0f, "p_cannon.jpg"});
    paintJpeg(dir + "/p_cannon.jpg", 512, [](glm::vec2 uv) {
        float brushed = fbm(glm::vec2(uv.x * 4.0f, uv.y * 120.0f), 601, 3, 4);
        glm::vec3 c = glm::mix(hexColour(0x2C2E30), hexColour(0x6A6E72), brushed);
        if (glm::fract(uv.y * 9.0f) < 0.04f) c *= 0.5f;
        return c;
    });

    // Marble box: a 2-unit cube with softened edges, standing on its origin.
    Mesh box;
    addBox(box, {-1.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 1.0f}, 0.06f, {});
    writeObj(box, assets + "/marbleBox", "marbleBox", {"marble", glm::vec3(0.3f), glm::vec3(0.9f), glm::vec3(0.7f), glm::vec3(0.0f), 80.0f, "marbleBox.jpg"});
    const auto marble = [](glm::vec2 uv) {
        float turbulence = fbm(uv * 4.0f, 701, 6, 4);
        float vein = std::fabs(std::sin((uv.x * 2.0f + uv.y * 3.0f + turbulence * 3.5f) * glm::pi<float>()));
        float fine = std::pow(1.0f - vein, 12.0f);
        glm::vec3 c = glm::mix(hexColour(0xF2EEE6), hexColour(0xC8C2B8), fbm(uv * 8.0f, 702, 4, 8));
        c = glm::mix(c, hexColour(0x5A5660), fine * 0.8f);
        return Surface{c, 0.5f - 0.5f * fine};
    };
    writeSurfaceMaps(512, marble, assets + "/marbleBox/marbleBox.jpg", 92, assets + "/marbleBox/marbleBoxNormal.jpg", 2.0f,
                     true);
}
