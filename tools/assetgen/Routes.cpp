// The two level files: the player's drive and the crawlers' patrol loops.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <glm/gtc/constants.hpp>

#include "Assets.h"
#include "Noise.h"

namespace {
std::string formatted(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", double(v));
    return buffer;
}

glm::vec2 catmullRom(glm::vec2 p0, glm::vec2 p1, glm::vec2 p2, glm::vec2 p3, float t) {
    float t2 = t * t, t3 = t2 * t;
    return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t2 + (3.0f * p1 - p0 - 3.0f * p2 + p3) * t3);
}

// Points every `spacing` units of arc length along a smooth curve through the controls.
std::vector<glm::vec2> resample(const std::vector<glm::vec2>& controls, float spacing, bool closed) {
    std::vector<glm::vec2> dense;
    size_t n = controls.size();
    size_t spans = closed ? n : n - 1;
    auto at = [&](long i) {
        if (closed) return controls[size_t((i % long(n) + long(n)) % long(n))];
        return controls[size_t(std::clamp(i, 0l, long(n) - 1))];
    };
    for (size_t s = 0; s < spans; ++s)
        for (int k = 0; k < 64; ++k) dense.push_back(catmullRom(at(long(s) - 1), at(long(s)), at(long(s) + 1), at(long(s) + 2), float(k) / 64.0f));
    if (closed) dense.push_back(dense.front());
    else dense.push_back(controls.back());
    float total = 0.0f;
    for (size_t i = 1; i < dense.size(); ++i) total += glm::length(dense[i] - dense[i - 1]);
    int count = std::max(2, int(std::round(total / spacing)));
    float step = total / float(count);
    std::vector<glm::vec2> out{dense.front()};
    float travelled = 0.0f, next = step;
    for (size_t i = 1; i < dense.size(); ++i) {
        float segment = glm::length(dense[i] - dense[i - 1]);
        while (travelled + segment >= next && int(out.size()) < (closed ? count : count + 1)) {
            out.push_back(glm::mix(dense[i - 1], dense[i], (next - travelled) / segment));
            next += step;
        }
        travelled += segment;
    }
    if (closed && out.size() > size_t(count)) out.resize(size_t(count));
    if (!closed) out.back() = controls.back();
    return out;
}

float distanceToRoute(glm::vec2 p, const std::vector<glm::vec3>& route) {
    float best = 1e30f;
    for (size_t i = 1; i < route.size(); ++i) {
        glm::vec2 a(route[i - 1].x, route[i - 1].z), b(route[i].x, route[i].z);
        glm::vec2 ab = b - a;
        float t = glm::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f);
        best = std::min(best, glm::length(p - (a + ab * t)));
    }
    return best;
}
}  // namespace

std::vector<glm::vec3> generateRoutes(const Terrain& heightmap, const std::string& assets) {
    // The drive: round the west past the radar dome, along the south, up the east
    // flank within sight of the landmark butte and back towards the middle.
    const std::vector<glm::vec2> controls = {
        {-80.0f, 430.0f}, {-320.0f, 340.0f}, {-470.0f, 140.0f}, {-520.0f, -120.0f}, {-430.0f, -390.0f},
        {-230.0f, -480.0f}, {30.0f, -400.0f}, {260.0f, -480.0f}, {470.0f, -390.0f}, {545.0f, -160.0f},
        {430.0f, 60.0f}, {200.0f, 130.0f}};
    std::vector<glm::vec3> route;
    for (glm::vec2 p : resample(controls, 10.0f, false)) route.push_back({p.x, heightmap.heightAt(p.x, p.y) + 2.0f, p.y});

    std::ostringstream player;
    player << "# Sandlark player route: world units, 2 above the ground\n";
    for (const glm::vec3& p : route) player << "v " << formatted(p.x) << " " << formatted(p.y) << " " << formatted(p.z) << "\n";
    std::ofstream(assets + "/world/st01v002-pp.obj", std::ios::binary) << player.str();

    // Patrol loops alongside the drive, alternating sides, each kept 80 to 250
    // units from it so the crawlers come into firing range.
    std::vector<float> along{0.0f};
    for (size_t i = 1; i < route.size(); ++i) along.push_back(along.back() + glm::length(glm::vec2(route[i].x - route[i - 1].x, route[i].z - route[i - 1].z)));
    Random random(0xC4A371u);
    std::ostringstream crawlers;
    crawlers << "# Sandlark crawler routes: ten times world units; each route is closed by its g line\n";
    const int routeCount = 12;
    int written = 0;
    for (int k = 0; k < routeCount; ++k) {
        float target = (float(k) + 0.5f) / float(routeCount) * along.back();
        size_t i = size_t(std::lower_bound(along.begin(), along.end(), target) - along.begin());
        i = std::clamp<size_t>(i, 1, route.size() - 1);
        glm::vec2 p(route[i].x, route[i].z), tangent = glm::normalize(p - glm::vec2(route[i - 1].x, route[i - 1].z));
        glm::vec2 side(-tangent.y, tangent.x);
        std::vector<glm::vec2> loop;
        bool placed = false;
        for (int attempt = 0; attempt < 40 && !placed; ++attempt) {
            float sign = ((k + attempt) % 2 == 0) ? 1.0f : -1.0f;
            float offset = random.range(130.0f, 190.0f);
            glm::vec2 centre = p + side * sign * offset + tangent * random.range(-40.0f, 40.0f);
            float rx = random.range(30.0f, 50.0f), rz = random.range(22.0f, 40.0f), turn = random.range(0.0f, 3.14159f);
            std::vector<glm::vec2> controlsLoop;
            for (int c = 0; c < 8; ++c) {
                float a = float(c) / 8.0f * glm::two_pi<float>();
                float wobble = random.range(0.8f, 1.2f);
                glm::vec2 e(std::cos(a) * rx * wobble, std::sin(a) * rz * wobble);
                controlsLoop.push_back(centre + glm::vec2(e.x * std::cos(turn) - e.y * std::sin(turn), e.x * std::sin(turn) + e.y * std::cos(turn)));
            }
            loop = resample(controlsLoop, 7.5f, true);
            placed = loop.size() >= 20 && loop.size() <= 60;
            for (glm::vec2 q : loop) {
                float d = distanceToRoute(q, route);
                if (d < 85.0f || d > 245.0f || std::fabs(q.x) > 690.0f || std::fabs(q.y) > 690.0f ||
                    glm::length(q - radarDomePosition()) < 70.0f || glm::length(q - landmarkRockPosition()) < 130.0f)
                    placed = false;
            }
        }
        if (!placed) continue;
        for (glm::vec2 q : loop)
            crawlers << "v " << formatted(q.x * 10.0f) << " " << formatted(heightmap.heightAt(q.x, q.y) * 10.0f) << " " << formatted(q.y * 10.0f) << "\n";
        crawlers << "g route" << (written + 1) << "\n";
        ++written;
    }
    if (written < 10) throw std::runtime_error("could not place the crawler routes");
    std::ofstream(assets + "/world/level1c2.obj", std::ios::binary) << crawlers.str();
    return route;
}
