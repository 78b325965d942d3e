#pragma once
// The application icon: a crawler against the dusk sky with a butte behind it,
// drawn from the generated models into a rounded tile, one PNG per size.
#include <string>
#include <vector>

#include "Image.h"

// Square sizes in pixels, smallest first: what menus, docks and software
// centres ask a hicolor theme for.
const std::vector<int>& iconSizes();

// The picture at `size` pixels and how much of each pixel the tile covers
// (0 outside its rounded corners), from the models under `assets`.
struct Icon {
    Image colour;
    Field coverage{0, 0};
};
Icon drawIcon(const std::string& assets, int size);

// Writes <output>/hicolor/<n>x<n>/apps/sandlark.png for every size.
void writeIcons(const std::string& assets, const std::string& outputDirectory);
