#version 330 core
// The radar dome: a mirror of the sky.
layout(location = 0) in vec3 vertPosition;
layout(location = 1) in vec3 vertNormal;
layout(location = 2) in vec2 vertTexCoord;

uniform mat4 cameraMatrix;
uniform vec3 cameraPosition;
uniform mat4 modelMatrix;
uniform mat4 prevModelMatrix; // last frame's model matrix (velocity pass)

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out vec4 haze; // rgb: the sky behind this point; a: how much of it lies in front

// ---- Haze: the same in default.vert, normal.vert and environment.vert (GLSL has no include) ----
// The sky pictures' colour in a direction, without their clouds: the function
// the asset generator paints them with (tools/assetgen/Sky.cpp), so that the
// far desert fades into exactly the sky behind it. The sun is where the
// pictures show it, whatever the debug keys do to light 1.
const vec3 sunDirection = vec3(0.7001400, 0.1400280, 0.7001400); // (350, 70, 350), normalised
vec3 skyColour(vec3 direction)
{
    vec3 d = normalize(direction);
    vec2 across = d.xz;
    float toward = dot(across, across) > 1e-10 ? dot(normalize(across), normalize(sunDirection.xz)) * 0.5 + 0.5 : 0.5;
    vec3 horizon = mix(vec3(0.416, 0.306, 0.525), vec3(0.878, 0.478, 0.541), smoothstep(0.15, 0.7, toward));
    horizon = mix(horizon, vec3(0.961, 0.541, 0.235), smoothstep(0.6, 1.0, toward));
    vec3 dust = vec3(0.851, 0.655, 0.486) * mix(0.75, 1.05, toward);
    vec3 colour;
    if (d.y >= 0.0) {
        colour = mix(horizon, vec3(0.141, 0.227, 0.455), pow(smoothstep(0.0, 0.45 + 0.25 * toward, d.y), 0.8));
        colour = mix(colour, vec3(0.043, 0.078, 0.2), smoothstep(0.35, 1.0, d.y));
        colour = mix(colour, dust, exp(-d.y * 28.0) * 0.65);
    } else {
        vec3 ground = mix(vec3(0.612, 0.431, 0.298), vec3(0.29, 0.2, 0.153), smoothstep(0.0, 0.5, -d.y));
        colour = mix(dust, ground * mix(0.8, 1.1, toward), smoothstep(0.0, 0.08, -d.y));
    }
    float sun = max(dot(d, sunDirection), 0.0);
    colour += vec3(1.0, 0.478, 0.188) * (0.35 * pow(sun, 6.0)) + vec3(1.0, 0.753, 0.502) * (0.5 * pow(sun, 80.0));
    return clamp(colour, 0.0, 1.0);
}

// Dust hangs low: its density halves every dustHeight * ln 2 units of height.
// A rider's view of the far desert crosses much of it and fades into the
// horizon's dust; the same distance seen from above stays clear. The haze
// grows with the square of the distance, so that the fight stays readable (at
// a rider's height a crawler 150 away keeps over nine tenths of its contrast,
// one 300 away about two thirds) while the far buttes fade. Whatever the dust,
// nothing may end visibly at the far plane.
const float hazeReach = 600.0; // the haze takes about 60% at this distance, at a rider's height
const float dustHeight = 40.0;
vec4 hazeAt(vec3 position)
{
    vec3 fromEye = position - cameraPosition;
    float distance = length(fromEye);
    float eyeHeight = max(cameraPosition.y, 0.0), pointHeight = max(position.y, 0.0);
    float rise = pointHeight - eyeHeight;
    // The mean density along the ray: exp(-height / dustHeight) averaged over the rise.
    float mean = abs(rise) > 0.01
        ? dustHeight * (exp(-eyeHeight / dustHeight) - exp(-pointHeight / dustHeight)) / rise
        : exp(-eyeHeight / dustHeight);
    float depth = distance / hazeReach;
    float amount = 1.0 - exp(-depth * depth * mean);
    amount = max(amount, smoothstep(500.0, 900.0, distance));
    return vec4(skyColour(fromEye), amount);
}
// ---- End of the haze ----

void main()
{
    vec4 world = modelMatrix * vec4(vertPosition, 1.0);
    worldPosition = world.xyz;
    // The cofactor matrix: the inverse transpose times the determinant, without an inverse.
    mat3 m = mat3(modelMatrix);
    worldNormal = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1])) * vertNormal;
    texCoord = vertTexCoord;
    haze = hazeAt(world.xyz);
    gl_Position = cameraMatrix * world;
}
