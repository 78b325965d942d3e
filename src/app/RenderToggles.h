#pragma once
// Rendering features switched on and off with the function keys during play.
// They keep their values for the whole process.

extern bool showStatistics;      // F2: frame statistics on the overlay
extern bool wireframe;           // F3: scene passes drawn as lines
extern int textureSamplingMode;  // F4: odd = bilinear, even = nearest
extern int mipmapMode;           // F5: remainder by 3 = off, nearest, linear mip-mapping
extern bool frustumCulling;      // F8: view-frustum culling of objects
extern bool transparency;        // F9: alpha blending

// Clock time of each toggle's last change (0 = none), for the two-second notices.
extern double wireframeToggleTime;
extern double samplingToggleTime;
extern double mipmapToggleTime;
extern double cullingToggleTime;
extern double transparencyToggleTime;

void resetToggleNotices();
void resetRenderToggles();
