#include "app/Settings.h"

#include "app/Platform.h"

#include <fstream>
#include <sstream>
#include <string>

bool fullscreen = false;
int screenwidth = 0;
int screenheight = 0;
int refreshrate = 0;
bool debugmode = false;
float fMotionblurFactor = 1.5f;
int fParticleDensity = 10;
bool airmode = false;
bool randomchallenge = false;

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

} // namespace

void parseConfiguration(std::istream& in)
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
        if (key == "fullscreen") readValue(line, fullscreen);
        else if (key == "screenwidth") readValue(line, screenwidth);
        else if (key == "screenheight") readValue(line, screenheight);
        else if (key == "refreshrate") readValue(line, refreshrate);
        else if (key == "debugmode") readValue(line, debugmode);
        else if (key == "fMotionblurFactor") readValue(line, fMotionblurFactor);
        else if (key == "fParticleDensity") readValue(line, fParticleDensity);
        else if (key == "airmode") readValue(line, airmode);
        else if (key == "randomchallenge") readValue(line, randomchallenge);
    }
}

void loadConfiguration()
{
    std::ifstream file(resolvePath("configuration.txt"));
    if (file)
        parseConfiguration(file);
}

void resetSettings()
{
    fullscreen = false;
    screenwidth = 0;
    screenheight = 0;
    refreshrate = 0;
    debugmode = false;
    fMotionblurFactor = 1.5f;
    fParticleDensity = 10;
    airmode = false;
    randomchallenge = false;
}
