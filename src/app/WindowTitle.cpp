#include "app/WindowTitle.h"

#include <cmath>
#include <iomanip>
#include <sstream>

std::string windowTitle(double fps)
{
    std::ostringstream title;
    title << windowTitleBase << std::fixed << fps;
    return title.str();
}

double framesPerSecond(double dt)
{
    if (!(dt > 0.0))
        return 0.0;
    const double fps = 1.0 / dt;
    return std::isfinite(fps) ? fps : 0.0;
}
