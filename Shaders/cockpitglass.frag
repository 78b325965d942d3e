#version 330 core
in vec3 worldNormal;
in vec2 texCoord;

uniform sampler2D colorTexture; // unit 1

out vec4 finalColor;

void main()
{
    vec3 base = textureSize(colorTexture, 0).x > 1 ? texture(colorTexture, texCoord).rgb : vec3(0.6);
    // Light from above, a little from everywhere: glass needs no scene lights.
    float light = 0.45 + 0.55 * max(normalize(worldNormal).y, 0.0);
    finalColor = vec4(base * light, 0.8);
}
