#version 330 core
// Lit, textured meshes whose surface detail comes from a normal map: the rocks
// and the drone.
in vec3 worldPosition;
in vec2 texCoord;
in mat3 tangentToWorld; // tangent, bitangent and normal in world space
in vec4 haze;           // rgb: the sky behind this point; a: how much of it lies in front

uniform sampler2D colorTexture;  // unit 1
uniform sampler2D normalTexture; // unit 2: tangent-space normals, 0.5 = flat

out vec4 finalColor;

// ---- Scene lighting: the same in default.frag, normal.frag and dustTr.frag (GLSL has no include) ----
// On a software rasteriser an `if` skips nothing (both sides run, masked),
// while a loop stops as soon as no pixel of the group wants another turn. So
// the vertex shader lists the lights that need shading per pixel on each
// triangle, and the loop below shades only those: a dark light costs a few
// operations a vertex, and a far one is lit per vertex.
flat in int pixelLights; // bits: the lights to shade per pixel on this triangle
in vec3 vertexLight;     // ambient shares and far point lights, per vertex

struct Light {
    vec4 position;           // w = 0: a direction towards the light (the sun)
    vec3 color;
    float attenuation;       // point lights fade with the square of the distance, spotlights with the distance
    float ambientCE;         // share of the light that reaches everything
    float spotlightAngle;    // half-angle of the cone in degrees; 180 lights all around
    vec3 spotlightDirection; // zero: no cone
};

const int maxLights = 6;
uniform int numLights;
uniform Light lights[maxLights];
uniform vec3 cameraPosition;

layout(std140) uniform Material {
    vec4 diffuse;
    vec4 ambient;
    vec4 specular;
    vec4 emissive;
    float shininess;
} material;

const int sun = 1;       // directional: every pixel shades it, outside the list
const int headlight = 3; // the spotlight that casts the shadows
// Width, in cosine, of the soft rim of a spotlight's cone.
const float coneRim = 0.03;

bool isSpot(Light light)
{
    return light.spotlightAngle < 180.0 && dot(light.spotlightDirection, light.spotlightDirection) > 0.0;
}

// cos(radians(degrees)) for 0 to 90 degrees, within 0.001, for a fraction of
// the library cosine's cost.
float cosineOfDegrees(float degrees)
{
    float x = radians(min(degrees, 90.0));
    float x2 = x * x;
    return 1.0 + x2 * (-0.5 + x2 * (1.0 / 24.0 - x2 / 720.0));
}

// The share of a point light at `distance` that the pixel adds to what the
// vertices gave (the same distances as in the vertex shaders).
const float pixelLitWithin = 60.0, vertexLitBeyond = 80.0;
float pixelShare(float distance)
{
    return 1.0 - smoothstep(pixelLitWithin, vertexLitBeyond, distance);
}

// How much of a spotlight arrives along `fromLight` (unit length): 1 inside
// the cone, 0 outside, a soft rim between.
float coneFactor(Light light, vec3 fromLight)
{
    float edge = cosineOfDegrees(light.spotlightAngle);
    return smoothstep(edge, edge + coneRim, dot(fromLight, normalize(light.spotlightDirection)));
}

// The direction to the light and how much of it arrives, before the surface's
// angle. A spotlight's beam is focused: it loses light with the distance, not
// with its square, so the headlight still reaches the sand ahead.
float lightReach(Light light, vec3 position, out vec3 toLight)
{
    vec3 offset = light.position.xyz - position * light.position.w;
    float inverseDistance = inversesqrt(max(dot(offset, offset), 1e-8));
    toLight = offset * inverseDistance;
    if (light.position.w == 0.0)
        return 1.0;
    float distance = 1.0 / inverseDistance;
    if (!isSpot(light))
        return pixelShare(distance) / (1.0 + light.attenuation * distance * distance);
    return coneFactor(light, -toLight) / (1.0 + light.attenuation * distance);
}

// Lambert and a Blinn-Phong highlight of light arriving from `toLight`. The
// highlight uses Schlick's stand-in for pow(cosine, shininess): one division
// instead of a logarithm and an exponential.
vec3 reflected(vec3 toLight, vec3 normal, vec3 toEye, vec3 base)
{
    float lambert = max(dot(normal, toLight), 0.0);
    float cosine = max(dot(normal, normalize(toLight + toEye)), 0.0);
    float shininess = material.shininess;
    float highlight = shininess > 0.0 && lambert > 0.0 ? cosine / (shininess - shininess * cosine + cosine) : 0.0;
    return lambert * base + highlight * material.specular.rgb;
}

// One light of the list; `shadow` is 1 in full light, 0 in full shadow.
vec3 shadeLight(Light light, vec3 position, vec3 normal, vec3 toEye, vec3 base, float shadow)
{
    vec3 toLight;
    float reach = lightReach(light, position, toLight) * shadow;
    return reach * light.color * reflected(toLight, normal, toEye, base);
}

// Whether the headlight can light this point: the surface faces it and its
// cone (with the rim) covers the point. The list is per triangle, and near the
// rider one triangle spans much more than the cone.
bool headlightReaches(vec3 position, vec3 normal)
{
    Light light = lights[headlight];
    vec3 fromLight = position - light.position.xyz;
    float along = dot(fromLight, light.spotlightDirection);
    float edge = cosineOfDegrees(light.spotlightAngle);
    bool inCone = !isSpot(light)
        || (along > 0.0 && along * along >= edge * edge * dot(fromLight, fromLight) * dot(light.spotlightDirection, light.spotlightDirection));
    return inCone && dot(normal, fromLight) < 0.0;
}

// The index of the lowest set bit of a non-zero mask (no findLSB in GLSL
// 3.30): the exponent of that bit's power of two as a float.
int lowestBit(int mask)
{
    return (floatBitsToInt(float(mask & -mask)) >> 23) - 127;
}

// The texture's colour, or white for a mesh without a picture.
vec3 surfaceColor()
{
    if (textureSize(colorTexture, 0).x <= 1)
        return vec3(1.0);
    return texture(colorTexture, texCoord).rgb;
}

// The surface lit as `lit`, where its material glows. A glowing material (one
// with an emissive colour) glows only where its picture (`texel`) is at full
// brightness: a lamp in a vehicle's paint, a tracer's core, the brightest
// flames. There the emissive colour times the surface's colour `base` shows,
// outshining the light that falls on it; the rest is lit as paint.
vec3 withGlow(vec3 lit, vec3 texel, vec3 base)
{
    float glowing = max(material.emissive.r, max(material.emissive.g, material.emissive.b)) > 0.0
        ? smoothstep(0.85, 0.95, max(texel.r, max(texel.g, texel.b)))
        : 0.0;
    return mix(lit, material.emissive.rgb * base, glowing);
}

// A material without a diffuse colour shows its texture as it is.
vec3 diffuseTint()
{
    return dot(material.diffuse.rgb, vec3(1.0)) > 0.0 ? material.diffuse.rgb : vec3(1.0);
}

// Light from the dusk sky above and the warm sand below, so that faces the
// low sun misses still read.
vec3 skyFill(vec3 normal)
{
    const vec3 sky = vec3(0.26, 0.25, 0.34);
    const vec3 sand = vec3(0.24, 0.17, 0.11);
    return mix(sand, sky, normal.y * 0.5 + 0.5);
}

// All the scene's light on a surface of colour `base`: the sky and sand fill,
// what the vertices gave, the sun and each light of `listed` (bits as in
// pixelLights). `shadow` dims the headlight alone.
vec3 lightSurface(vec3 position, vec3 normal, vec3 base, int listed, float shadow)
{
    vec3 toEye = normalize(cameraPosition - position);
    vec3 color = (skyFill(normal) + vertexLight) * base;
    // The sun lights nearly every pixel, and as a loop turn it would pay for
    // the gathers and the point and spot cases it does not need.
    Light sunlight = lights[sun];
    if (sun < numLights && sunlight.position.w == 0.0)
        color += sunlight.color * reflected(normalize(sunlight.position.xyz), normal, toEye, base);
    while (listed != 0) {
        int i = lowestBit(listed);
        listed &= listed - 1;
        color += shadeLight(lights[i], position, normal, toEye, base, i == headlight ? shadow : 1.0);
    }
    return color;
}

// The lights of this triangle's list that can reach this pixel.
int lightsHere(vec3 position, vec3 normal)
{
    return headlightReaches(position, normal) ? pixelLights : pixelLights & ~(1 << headlight);
}
// ---- End of the scene lighting ----

void main()
{
    vec3 normal = tangentToWorld[2];
    if (textureSize(normalTexture, 0).x > 1)
        normal = tangentToWorld * (texture(normalTexture, texCoord).rgb * 2.0 - 1.0);
    normal = normalize(normal);
    if (!gl_FrontFacing)
        normal = -normal;
    vec3 texel = surfaceColor();
    vec3 base = texel * diffuseTint();
    vec3 color = withGlow(lightSurface(worldPosition, normal, base, lightsHere(worldPosition, normal), 1.0), texel, base);
    finalColor = vec4(mix(color, haze.rgb, haze.a), 1.0);
}
