// The four full-screen images: key art of the desert at dusk, rendered from the
// game's own models and terrain, with the title and a word set in the game's font.
#include <algorithm>
#include <cmath>
#include <map>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Fonts.h"
#include "Noise.h"
#include "Raster.h"

namespace {
struct Model {
    Mesh mesh;
    Image texture;
};

struct Placement {
    const Model* model;
    glm::mat4 transform;
    float emissive = 0.0f;
    float reflective = 0.0f;
    float opacity = 1.0f;
};

struct Shot {
    std::string file;
    std::string word;
    glm::vec3 eye;
    glm::vec3 target;
    float fieldOfView;
    std::vector<Placement> objects;
    glm::vec3 grade;      // multiplies the finished picture
    glm::vec3 wordColour;
};

const int width = 1280, height = 720, supersample = 2;

glm::mat4 place(glm::vec3 position, float yawDegrees, float scale = 1.0f) {
    return glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), position), glm::radians(yawDegrees), glm::vec3(0, 1, 0)), glm::vec3(scale));
}

Image renderShot(const Shot& shot, const Model& ground) {
    const int w = width * supersample, h = height * supersample;
    glm::mat4 view = glm::lookAt(shot.eye, shot.target, glm::vec3(0, 1, 0));
    glm::mat4 projection = glm::perspective(glm::radians(shot.fieldOfView), float(width) / float(height), 0.5f, 3000.0f);
    glm::mat4 inverse = glm::inverse(projection * view);
    auto rayAt = [&](float x, float y) {
        glm::vec4 ndc((x + 0.5f) / float(w) * 2.0f - 1.0f, 1.0f - (y + 0.5f) / float(h) * 2.0f, 1.0f, 1.0f);
        glm::vec4 far = inverse * ndc;
        return glm::normalize(glm::vec3(far) / far.w - shot.eye);
    };
    Raster raster(w, h, glm::vec3(0.0f));
    parallelRows(h, [&](int y) {
        for (int x = 0; x < w; ++x) raster.colour[size_t(y) * size_t(w) + size_t(x)] = skyColour(rayAt(float(x), float(y)));
    });
    // Fog takes the horizon colour of its azimuth: tabulated, the sky is costly.
    std::vector<glm::vec3> horizon(720);
    for (size_t i = 0; i < horizon.size(); ++i) {
        float a = float(i) / float(horizon.size()) * glm::two_pi<float>();
        horizon[i] = skyColour({std::cos(a), 0.015f, std::sin(a)}, false);
    }
    const glm::vec3 sun = sunDirection();
    const glm::vec3 sunLight = glm::vec3(1.0f, 0.62f, 0.34f) * 1.25f;
    auto shade = [&](const Fragment& f, float emissive, float reflective) {
        glm::vec3 toEye = shot.eye - f.position;
        float distance = glm::length(toEye);
        glm::vec3 v = toEye / distance;
        glm::vec3 n = glm::dot(f.normal, v) < 0.0f ? -f.normal : f.normal;
        glm::vec3 ambient = glm::mix(glm::vec3(0.2f, 0.12f, 0.09f), glm::vec3(0.2f, 0.24f, 0.4f), n.y * 0.5f + 0.5f);
        float lambert = std::max(glm::dot(n, sun), 0.0f);
        glm::vec3 c = f.albedo * (ambient + sunLight * lambert);
        // Rim light where the low sun grazes silhouettes in front of it.
        float rim = std::pow(1.0f - std::max(glm::dot(n, v), 0.0f), 4.0f) * std::max(glm::dot(-v, sun), 0.0f);
        c += sunLight * rim * 0.5f;
        if (reflective > 0.0f) c = glm::mix(c, skyColour(glm::reflect(-v, n)), reflective);
        c += f.albedo * emissive;
        float a = std::atan2(-v.z, -v.x);
        if (a < 0.0f) a += glm::two_pi<float>();
        glm::vec3 fogColour = horizon[std::min(horizon.size() - 1, size_t(a / glm::two_pi<float>() * float(horizon.size())))];
        float fog = 1.0f - std::exp(-distance / 900.0f);
        return glm::mix(c, fogColour, std::min(fog * 1.1f, 1.0f));
    };
    glm::mat4 viewProjection = projection * view;
    rasterise(raster, ground.mesh, glm::mat4(1.0f), viewProjection, &ground.texture, false, [&](const Fragment& f) { return shade(f, 0.0f, 0.0f); });
    for (const Placement& p : shot.objects)
        rasterise(raster, p.model->mesh, p.transform, viewProjection, &p.model->texture, false,
                  [&](const Fragment& f) { return shade(f, p.emissive, p.reflective); }, p.opacity);
    return resized(raster.toImage(), width, height);
}

void stampText(Image& image, const TextMask& mask, int left, int baseline, glm::vec3 colour, float glow) {
    int top = baseline - mask.baseline;
    // A soft dark shadow first, then a warm glow, then the letters.
    for (int y = -12; y < mask.height + 12; ++y) {
        for (int x = -12; x < mask.width + 12; ++x) {
            int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= image.width || ty >= image.height) continue;
            float shadow = 0.0f, halo = 0.0f;
            for (int k = -3; k <= 3; ++k)
                for (int m = -3; m <= 3; ++m) {
                    shadow += mask.at(x - 5 + k * 2, y - 6 + m * 2);
                    halo += mask.at(x + k * 3, y + m * 3);
                }
            shadow /= 49.0f;
            halo /= 49.0f;
            glm::vec3& p = image.at(tx, ty);
            p = glm::mix(p, glm::vec3(0.02f, 0.01f, 0.03f), std::min(shadow * 1.4f, 0.85f));
            p += glm::vec3(1.0f, 0.45f, 0.15f) * halo * glow;
            p = glm::mix(p, colour, mask.at(x, y));
        }
    }
}

void finish(Image& image, const Shot& shot) {
    parallelRows(image.height, [&](int y) {
        for (int x = 0; x < image.width; ++x) {
            float u = (float(x) + 0.5f) / float(image.width), v = (float(y) + 0.5f) / float(image.height);
            glm::vec3& p = image.at(x, y);
            // The game writes its white lines at the top left: keep that corner dark and quiet.
            float corner = smoothstep01(0.75f, 0.0f, glm::length(glm::vec2(u / 0.55f, v / 0.4f)));
            p *= 1.0f - 0.75f * corner;
            // Lower band darkened for the title, and a gentle vignette.
            p *= 1.0f - 0.35f * smoothstep01(0.55f, 1.0f, v);
            float vignette = glm::length(glm::vec2(u - 0.5f, v - 0.5f) * glm::vec2(1.0f, 0.8f));
            p *= 1.0f - 0.5f * smoothstep01(0.35f, 0.75f, vignette);
            p = glm::clamp(p * shot.grade, 0.0f, 1.0f);
            // Filmic lift of the shadows towards violet.
            p = glm::mix(p, glm::vec3(0.06f, 0.04f, 0.09f), 0.12f * (1.0f - glm::dot(p, glm::vec3(0.33f))));
        }
    });
    TextMask title = renderText("SANDLARK", 156, 14, 0);
    stampText(image, title, (image.width - title.width) / 2, 596, glm::vec3(1.0f, 0.93f, 0.8f), 0.35f);
    TextMask word = renderText(shot.word, 56, 10, 0);
    // A thin rule either side of the word.
    int wordLeft = (image.width - word.width) / 2, wordBaseline = 672;
    for (int x = wordLeft - 170; x < wordLeft + word.width + 170; ++x) {
        if (x > wordLeft - 30 && x < wordLeft + word.width + 30) continue;
        float fade = 1.0f - std::min(std::fabs(float(x - image.width / 2)) / float(word.width / 2 + 170), 1.0f);
        for (int y = wordBaseline - 28; y < wordBaseline - 25; ++y) image.at(x, y) = glm::mix(image.at(x, y), shot.wordColour, 0.8f * std::sqrt(fade));
    }
    stampText(image, word, wordLeft, wordBaseline, shot.wordColour, 0.15f);
}

Model loadModel(const std::string& assets, const std::string& obj, const std::string& texture) {
    return {readObj(assets + "/" + obj), readImage(assets + "/" + texture)};
}
}  // namespace

void generateScreens(const std::string& assets, const Terrain& heightmap) {
    Model ground = loadModel(assets, "world/st01v002-ground.obj", "world/sand.jpg");
    Model crawler = loadModel(assets, "MGCrawlerModel03.obj", "MGCrawlerMetal.jpg");
    Model wreck = loadModel(assets, "DestroyedMGCrawler01.obj", "DestroyedMGCrawler01.jpg");
    Model rock = loadModel(assets, "world/w_rock02.obj", "world/rock02.jpg");
    Model dome = loadModel(assets, "world/w_radarDome.obj", "world/radarDome.jpg");
    Model drone = loadModel(assets, "e_drone01.obj", "e_drone01.jpg");
    Model fire = loadModel(assets, "world/e_fireball.obj", "world/fireball.jpg");
    Model dust = loadModel(assets, "world/w_dustCloud.obj", "world/dustCloud.jpg");
    Model duck = loadModel(assets, "duck.obj", "duck.jpg");
    Model tracks = loadModel(assets, "MGCrawler_Base.obj", "MGCrawlerMetal.jpg");

    auto on = [&](float x, float z, float lift = 0.0f) { return glm::vec3(x, heightmap.heightAt(x, z) + lift, z); };
    // Every shot looks roughly towards the low sun (north-east, +x +z) so that
    // the vehicles stand against the glow.
    std::vector<Shot> shots;
    {
        // A column of crawlers crossing the dunes, the radar dome and buttes beyond.
        Shot s{"loadingScreen.jpg", "LOADING", on(-60.0f, -120.0f, 3.0f), on(60.0f, -40.0f, 3.5f), 50.0f, {}, glm::vec3(1.0f), hexColour(0xFFB070)};
        s.objects.push_back({&crawler, place(on(-24.4f, -110.6f), -55.0f)});
        s.objects.push_back({&crawler, place(on(-12.2f, -92.9f), -50.0f)});
        s.objects.push_back({&crawler, place(on(3.1f, -71.0f), -45.0f)});
        s.objects.push_back({&dust, place(on(-30.0f, -118.0f, 1.0f), 0.0f, 0.5f), 0.0f, 0.0f, 0.35f});
        s.objects.push_back({&rock, place(on(160.0f, 120.0f, -5.0f), 10.0f, 1.3f)});
        s.objects.push_back({&rock, place(on(320.0f, -60.0f, -5.0f), 80.0f, 0.9f)});
        s.objects.push_back({&dome, place(on(172.0f, -110.0f), 0.0f) * glm::scale(glm::mat4(1.0f), glm::vec3(0.5f, 0.6f, 0.5f)), 0.0f, 0.55f});
        s.objects.push_back({&drone, place(on(40.0f, -20.0f, 30.0f), 30.0f, 1.5f)});
        shots.push_back(s);
    }
    {
        // One crawler close up, gun towards the player.
        Shot s{"waitingScreen.jpg", "PRESS ENTER", on(200.0f, 180.0f, 2.2f), on(214.0f, 196.0f, 2.8f), 45.0f, {}, glm::vec3(1.0f), hexColour(0xFFB070)};
        s.objects.push_back({&crawler, place(on(212.0f, 195.0f), 205.0f)});
        s.objects.push_back({&crawler, place(on(236.0f, 232.0f), 190.0f)});
        s.objects.push_back({&rock, place(on(420.0f, 430.0f, -5.0f), 30.0f, 1.4f)});
        s.objects.push_back({&rock, place(on(330.0f, 520.0f, -5.0f), 150.0f, 0.8f)});
        s.objects.push_back({&dust, place(on(224.0f, 214.0f, 1.0f), 0.0f, 0.35f), 0.0f, 0.0f, 0.3f});
        shots.push_back(s);
    }
    {
        // A burning wreck, the duck crawler still rolling behind it.
        Shot s{"winningScreen.jpg", "VICTORY", on(-320.0f, 80.0f, 3.0f), on(-290.0f, 110.0f, 3.5f), 50.0f, {}, glm::vec3(1.05f, 1.0f, 0.95f), hexColour(0xFFD27A)};
        s.objects.push_back({&wreck, place(on(-298.0f, 104.0f), 60.0f)});
        s.objects.push_back({&fire, place(on(-297.0f, 104.0f, 4.0f), 0.0f, 0.28f), 1.1f});
        s.objects.push_back({&fire, place(on(-299.0f, 106.0f, 6.0f), 40.0f, 0.2f), 1.1f});
        s.objects.push_back({&fire, place(on(-296.0f, 103.0f, 2.5f), 80.0f, 0.16f), 1.1f});
        s.objects.push_back({&wreck, place(on(-262.0f, 150.0f), 200.0f)});
        s.objects.push_back({&tracks, place(on(-284.0f, 128.0f), 215.0f)});
        s.objects.push_back({&duck, place(on(-284.0f, 128.0f), 215.0f)});
        s.objects.push_back({&rock, place(on(-200.0f, 400.0f, -5.0f), 90.0f, 1.5f)});
        shots.push_back(s);
    }
    {
        // The patrol drone looming over crawlers closing in.
        Shot s{"losingScreen.jpg", "TIME IS UP", on(420.0f, -420.0f, 3.0f), on(460.0f, -380.0f, 4.5f), 55.0f, {}, glm::vec3(1.05f, 0.85f, 0.85f), hexColour(0xFF6A4A)};
        s.objects.push_back({&drone, place(on(455.0f, -388.0f, 17.0f), 210.0f, 1.5f) * glm::rotate(glm::mat4(1.0f), 0.25f, glm::vec3(1, 0, 0))});
        s.objects.push_back({&crawler, place(on(440.0f, -385.0f), 230.0f)});
        s.objects.push_back({&crawler, place(on(470.0f, -398.0f), 240.0f)});
        s.objects.push_back({&crawler, place(on(458.0f, -362.0f), 215.0f)});
        s.objects.push_back({&rock, place(on(640.0f, -330.0f, -5.0f), 0.0f, 1.8f)});
        shots.push_back(s);
    }
    for (const Shot& shot : shots) {
        Image image = renderShot(shot, ground);
        finish(image, shot);
        writeJpeg(image, assets + "/" + shot.file, 92, true);
    }
}
