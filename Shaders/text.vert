#version 330 core
// One glyph quad in window pixels: position in xy, texture coordinates in zw.
layout(location = 0) in vec4 vertex;

uniform mat4 projection; // window pixels to clip space, origin lower left

out vec2 glyphCoord;

void main()
{
    glyphCoord = vertex.zw;
    // Depth 0.5: in front of the screen images, which lie at the far end.
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
}
