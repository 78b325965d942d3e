#version 330 core
// The dome's white paint with the sky reflected in it. The reflection map is a
// latitude-longitude picture of this sky: u = 0.5 + atan(z, x) / 2 pi,
// v = 0.5 + asin(y) / pi.
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;

uniform sampler2D colorTexture;      // unit 1
uniform sampler2D reflectionTexture; // unit 3
uniform vec3 cameraPosition;

out vec4 finalColor;

const float pi = 3.14159265;
const vec3 hazeColor = vec3(0.80, 0.62, 0.45);

vec2 latitudeLongitude(vec3 direction)
{
    return vec2(0.5 + atan(direction.z, direction.x) / (2.0 * pi), 0.5 + asin(clamp(direction.y, -1.0, 1.0)) / pi);
}

void main()
{
    vec3 normal = normalize(worldNormal);
    vec3 toSurface = normalize(worldPosition - cameraPosition);
    vec3 mirrored = reflect(toSurface, normal);
    vec3 sky = texture(reflectionTexture, latitudeLongitude(mirrored)).rgb;
    vec3 paint = textureSize(colorTexture, 0).x > 1 ? texture(colorTexture, texCoord).rgb : vec3(0.9);
    // Grazing angles mirror more than a head-on look (Fresnel, roughly).
    float fresnel = 0.35 + 0.65 * pow(1.0 - max(dot(-toSurface, normal), 0.0), 3.0);
    vec3 color = mix(paint * 0.55, sky, fresnel);
    float haze = smoothstep(450.0, 1000.0, distance(worldPosition, cameraPosition));
    finalColor = vec4(mix(color, hazeColor, haze * 0.85), 1.0);
}
