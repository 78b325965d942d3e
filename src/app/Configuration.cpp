#include "app/Configuration.h"

#include "platform/Platform.h"

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Formatted extraction into a temporary, so a failed read leaves the setting as
// it was (a failed `stream >> setting` would store 0 under C++11 rules).
template <typename T>
void readValue(std::istringstream& line, T& setting)
{
    T value{};
    if (line >> value)
        setting = value;
}

// A bool is read as an integer: only 0 and 1 are accepted, anything else
// (2, "true") leaves the setting unchanged.
void readValue(std::istringstream& line, bool& setting)
{
    bool value = false;
    if (line >> value)
        setting = value;
}

// An int that `accepted` allows; anything else is read like a garbled value
// and leaves the setting as it was.
template <typename Accepted>
void readValueIf(std::istringstream& line, int& setting, Accepted accepted)
{
    int value = 0;
    if (line >> value && accepted(value))
        setting = value;
}

// The render scale: 0 (automatic) or a percentage from 50 to 100.
bool isRenderScale(int value)
{
    return value == 0 || (value >= 50 && value <= 100);
}

// The mouse's speed: 10 to 400 percent of 0.05 degrees per pixel.
bool isMouseSensitivity(int value)
{
    return value >= 10 && value <= 400;
}

// The start level: 0 (the highest reached) or a level number.
bool isStartLevel(int value)
{
    return value >= 0;
}

} // namespace

void parseConfiguration(std::istream& in, Settings& settings)
{
    std::string text;
    while (std::getline(in, text)) {
        // A CR before the LF belongs to the line end, not to the value.
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        std::istringstream line(text);
        std::string key;
        if (!(line >> key))
            continue;
        if (key == "fullscreen") readValue(line, settings.fullscreen);
        else if (key == "screenwidth") readValue(line, settings.screenwidth);
        else if (key == "screenheight") readValue(line, settings.screenheight);
        else if (key == "refreshrate") readValue(line, settings.refreshrate);
        else if (key == "debugmode") readValue(line, settings.debugmode);
        else if (key == "fMotionblurFactor") readValue(line, settings.fMotionblurFactor);
        else if (key == "fParticleDensity") readValue(line, settings.fParticleDensity);
        else if (key == "airmode") readValue(line, settings.airmode);
        else if (key == "randomchallenge") readValue(line, settings.randomchallenge);
        else if (key == "soundvolume") readValue(line, settings.soundvolume);
        else if (key == "renderscale") readValueIf(line, settings.renderscale, isRenderScale);
        else if (key == "vsync") readValue(line, settings.vsync);
        else if (key == "mousesensitivity") readValueIf(line, settings.mousesensitivity, isMouseSensitivity);
        else if (key == "invertmouse") readValue(line, settings.invertmouse);
        else if (key == "rawmouse") readValue(line, settings.rawmouse);
        else if (key == "startlevel") readValueIf(line, settings.startlevel, isStartLevel);
    }
}

void loadConfiguration(Settings& settings)
{
    std::ifstream file(resolvePath("configuration.txt"));
    if (file)
        parseConfiguration(file, settings);
}
