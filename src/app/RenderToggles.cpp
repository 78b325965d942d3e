#include "app/RenderToggles.h"

bool showStatistics = false;
bool wireframe = false;
int textureSamplingMode = 1;
int mipmapMode = 2;
bool frustumCulling = true;
bool transparency = true;

double wireframeToggleTime = 0.0;
double samplingToggleTime = 0.0;
double mipmapToggleTime = 0.0;
double cullingToggleTime = 0.0;
double transparencyToggleTime = 0.0;

void resetToggleNotices()
{
    wireframeToggleTime = 0.0;
    samplingToggleTime = 0.0;
    mipmapToggleTime = 0.0;
    cullingToggleTime = 0.0;
    transparencyToggleTime = 0.0;
}

void resetRenderToggles()
{
    showStatistics = false;
    wireframe = false;
    textureSamplingMode = 1;
    mipmapMode = 2;
    frustumCulling = true;
    transparency = true;
    resetToggleNotices();
}
