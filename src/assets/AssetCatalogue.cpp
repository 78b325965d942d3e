#include "assets/AssetCatalogue.h"

std::unique_ptr<ShaderProgram> defaultProgram;
std::unique_ptr<ShaderProgram> normalProgram;
std::unique_ptr<ShaderProgram> skyboxProgram;
std::unique_ptr<ShaderProgram> environmentProgram;
std::unique_ptr<ShaderProgram> shadowMappingProgram;
std::unique_ptr<ShaderProgram> textProgram;
std::unique_ptr<ShaderProgram> dustProgram;
std::unique_ptr<ShaderProgram> cockpitGlassProgram;
std::unique_ptr<ShaderProgram> velocityProgram;

void loadAssets()
{
}

void releaseAssets()
{
    defaultProgram.reset();
    normalProgram.reset();
    skyboxProgram.reset();
    environmentProgram.reset();
    shadowMappingProgram.reset();
    textProgram.reset();
    cockpitGlassProgram.reset();
    dustProgram.reset();
    velocityProgram.reset();
}
