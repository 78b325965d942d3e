#version 330 core
// The dome's white paint with the sky reflected in it. The reflection map is a
// latitude-longitude picture of this sky: u = 0.5 + atan(z, x) / 2 pi,
// v = 0.5 + asin(y) / pi.
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;
in vec4 haze; // rgb: the sky behind this point; a: how much of it lies in front

uniform sampler2D colorTexture;      // unit 1
uniform sampler2D reflectionTexture; // unit 3
uniform vec3 cameraPosition;

out vec4 finalColor;

const float pi = 3.14159265;

// The reflected sky in `direction`. Where u wraps from 1 to 0 its screen
// derivative would jump and pick the smallest mip level (a blurred seam), so
// the gradient is taken from whichever of u and u + 1/2 does not wrap here.
vec3 reflectedSky(vec3 direction)
{
    vec2 uv = vec2(0.5 + atan(direction.z, direction.x) / (2.0 * pi),
                   0.5 + asin(clamp(direction.y, -1.0, 1.0)) / pi);
    vec2 dx = dFdx(uv), dy = dFdy(uv);
    float shifted = fract(uv.x + 0.5);
    float shiftedX = dFdx(shifted), shiftedY = dFdy(shifted);
    if (abs(shiftedX) + abs(shiftedY) < abs(dx.x) + abs(dy.x)) {
        dx.x = shiftedX;
        dy.x = shiftedY;
    }
    return textureGrad(reflectionTexture, uv, dx, dy).rgb;
}

void main()
{
    vec3 normal = normalize(worldNormal);
    if (!gl_FrontFacing)
        normal = -normal;
    vec3 toSurface = normalize(worldPosition - cameraPosition);
    vec3 sky = reflectedSky(reflect(toSurface, normal));
    vec3 paint = textureSize(colorTexture, 0).x > 1 ? texture(colorTexture, texCoord).rgb : vec3(0.9);
    // Grazing angles mirror more than a head-on look (Fresnel, roughly).
    float facing = max(dot(-toSurface, normal), 0.0);
    float fresnel = 0.35 + 0.65 * (1.0 - facing) * (1.0 - facing) * (1.0 - facing);
    vec3 color = mix(paint * 0.55, sky, fresnel);
    finalColor = vec4(mix(color, haze.rgb, haze.a), 1.0);
}
