// The settings reader as start-up calls it: the input is configuration.txt.
// The reader never fails and never prints. What it reads then reaches the game
// whatever the window: the particle density sizes the three emitters, and the
// first kill and the first shot into the sand burst them.
#include "app/Configuration.h"
#include "game/ParticleEmitter.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    Settings settings;
    parseConfiguration(file, settings);

    MeshBounds particle;
    particle.setBounds(glm::vec3(-0.5f), glm::vec3(0.5f));
    for (const Effect effect : {Effect::Debris, Effect::Dust, Effect::Fireball}) {
        const auto emitter = createEmitter(effect, &particle, settings.fParticleDensity);
        emitter->burst({0.0f, 10.0f, 0.0f}, 1.0);
        emitter->particles.update(1.0f / 60.0f);
    }
    return 0;
}
