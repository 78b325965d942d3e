#version 330 core
// Stand-alone blur pass: a full-screen quad. The frame uses the composite's blur.
in vec3 vPosition;
out vec2 texCoord;

void main()
{
    texCoord = vPosition.xy * 0.5 + 0.5;
    gl_Position = vec4(vPosition, 1.0);
}
