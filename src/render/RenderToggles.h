#pragma once
// Rendering features switched on and off with the function keys during play,
// read by the frame passes. They keep their values for the whole process.

struct RenderToggles {
    bool showStatistics = false;  // F2: frame statistics on the overlay
    bool wireframe = false;       // F3: scene passes drawn as lines
    int textureSamplingMode = 1;  // F4: odd = bilinear, even = nearest
    int mipmapMode = 2;           // F5: remainder by 3 = off, nearest, linear mip-mapping
    bool frustumCulling = true;   // F8: view-frustum culling of objects
    bool transparency = true;     // F9: alpha blending
};
