#version 330 core
// Stand-alone blur pass: copies its input. The frame uses the composite's blur.
in vec2 texCoord;
uniform sampler2D colorTexture;
out vec4 finalColor;

void main()
{
    finalColor = vec4(texture(colorTexture, texCoord).rgb, 1.0);
}
