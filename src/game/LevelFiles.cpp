#include "game/LevelFiles.h"

#include "platform/Platform.h"

#include <fstream>
#include <iostream>
#include <sstream>

LevelFile parseLevelFile(std::istream& in)
{
    LevelFile file;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream line(text);
        std::string word;
        if (!(line >> word))
            continue;
        if (word == "v") {
            glm::vec3 point;
            if (line >> point.x >> point.y >> point.z)
                file.vertices.push_back(point);
        } else if (word == "g") {
            file.groupEnds.push_back(file.vertices.size());
        }
    }
    return file;
}

LevelFile readLevelFile(const std::string& path)
{
    std::ifstream in(resolvePath(path));
    if (!in) {
        std::cout << "Could not open the level file " << path << std::endl;
        return {};
    }
    return parseLevelFile(in);
}

std::vector<std::vector<glm::vec3>> crawlerRoutes(const LevelFile& file, const Terrain& terrain)
{
    std::vector<std::vector<glm::vec3>> routes;
    std::size_t begin = 0;
    for (const std::size_t end : file.groupEnds) {
        std::vector<glm::vec3>& route = routes.emplace_back();
        for (std::size_t i = begin; i < end; ++i) {
            // The file is drawn at ten times the world's scale, and its heights
            // are the modeller's: the ground decides where a crawler drives.
            const float x = 0.1f * file.vertices[i].x;
            const float z = 0.1f * file.vertices[i].z;
            route.emplace_back(x, terrain.heightAt(x, z), z);
        }
        begin = end;
    }
    return routes;
}
