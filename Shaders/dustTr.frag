#version 330 core
// Semi-transparent dust clouds and fireballs: lit like every mesh, but see-through.
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;
in vec4 shadowCoord;

uniform sampler2D colorTexture; // unit 1

out vec4 finalColor;

struct Light {
    vec4 position;           // w = 0: a direction towards the light (the sun)
    vec3 color;
    float attenuation;       // fall-off with the square of the distance
    float ambientCE;         // share of the light that reaches everything
    float spotlightAngle;    // half-angle of the cone in degrees; 180 lights all around
    vec3 spotlightDirection;
};

const int maxLights = 8;
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

// The dusk haze the far desert fades into.
const vec3 hazeColor = vec3(0.80, 0.62, 0.45);
const float hazeStart = 450.0;
const float hazeEnd = 1000.0;

// The texture's colour, or white for a mesh without a picture.
vec3 surfaceColor(sampler2D colorTexture, vec2 texCoord)
{
    if (textureSize(colorTexture, 0).x <= 1)
        return vec3(1.0);
    return texture(colorTexture, texCoord).rgb;
}

// A material without a diffuse colour shows its texture as it is.
vec3 diffuseTint()
{
    return dot(material.diffuse.rgb, vec3(1.0)) > 0.0 ? material.diffuse.rgb : vec3(1.0);
}

// One light's contribution; `shadow` is 1 in full light, 0 in full shadow.
vec3 shadeLight(Light light, vec3 position, vec3 normal, vec3 base, float shadow)
{
    vec3 toLight;
    float falloff = 1.0;
    if (light.position.w == 0.0) {
        toLight = normalize(light.position.xyz);
    } else {
        vec3 offset = light.position.xyz - position;
        float distance = length(offset);
        toLight = offset / max(distance, 1e-4);
        falloff = 1.0 / (1.0 + light.attenuation * distance * distance);
        if (light.spotlightAngle < 180.0 && dot(light.spotlightDirection, light.spotlightDirection) > 0.0) {
            float cosine = dot(-toLight, normalize(light.spotlightDirection));
            float edge = cos(radians(light.spotlightAngle));
            // A soft rim instead of a hard cut at the cone's edge.
            falloff *= smoothstep(edge, min(edge + 0.05, 1.0), cosine);
        }
    }
    vec3 ambient = light.ambientCE * light.color * base;
    float lambert = max(dot(normal, toLight), 0.0);
    vec3 diffuse = lambert * light.color * base;
    vec3 specular = vec3(0.0);
    if (lambert > 0.0 && material.shininess > 0.0) {
        vec3 toEye = normalize(cameraPosition - position);
        vec3 halfway = normalize(toLight + toEye);
        specular = pow(max(dot(normal, halfway), 0.0), material.shininess) * light.color * material.specular.rgb;
    }
    return ambient + falloff * shadow * (diffuse + specular);
}

// Light from the dusk sky above and the warm sand below, so that faces the
// low sun misses still read.
vec3 skyFill(vec3 normal, vec3 base)
{
    const vec3 sky = vec3(0.30, 0.28, 0.36);
    const vec3 sand = vec3(0.24, 0.17, 0.11);
    return base * mix(sand, sky, normal.y * 0.5 + 0.5);
}

vec3 withHaze(vec3 color, vec3 position)
{
    float amount = smoothstep(hazeStart, hazeEnd, distance(position, cameraPosition));
    return mix(color, hazeColor, amount * 0.85);
}

void main()
{
    vec3 normal = normalize(worldNormal);
    if (!gl_FrontFacing)
        normal = -normal;
    vec3 base = surfaceColor(colorTexture, texCoord) * diffuseTint();
    // Glowing material (the fireball) keeps its colour; dust is lit softly.
    vec3 color = material.emissive.rgb * base + skyFill(normal, base);
    for (int i = 0; i < numLights && i < maxLights; ++i)
        color += shadeLight(lights[i], worldPosition, normal, base, 1.0);
    // Thin at the silhouette, denser in the middle.
    vec3 toEye = normalize(cameraPosition - worldPosition);
    float alpha = 0.55 * (0.35 + 0.65 * abs(dot(normal, toEye)));
    finalColor = vec4(withHaze(color, worldPosition), alpha);
}
