#pragma once
// The debug overlay: frame statistics and the notices the render toggles show
// for two seconds after they change.

// Clock time of each toggle's last change (0 = none). The level loop clears
// them when a level starts, so a notice never carries over into the next level.
struct ToggleNotices {
    double wireframeToggleTime = 0.0;
    double samplingToggleTime = 0.0;
    double mipmapToggleTime = 0.0;
    double cullingToggleTime = 0.0;
    double transparencyToggleTime = 0.0;
};
