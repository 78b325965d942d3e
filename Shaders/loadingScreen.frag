#version 330 core
in vec2 texCoord;

uniform sampler2D colorTexture; // unit 0

out vec4 finalColor;

void main()
{
    finalColor = vec4(texture(colorTexture, texCoord).rgb, 1.0);
}
