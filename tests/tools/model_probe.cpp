// Imports one model the way the game does, in a process of its own, so tests can
// watch the fatal path: model_probe <model path>.
#include "assets/ModelLoader.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: model_probe <model>" << std::endl;
        return 2;
    }
    MeshData data;
    ModelLoader loader;
    loader.load(data, argv[1], "", "");
    std::cout << "vertices " << data.vertexCount << std::endl;
    return 0;
}
