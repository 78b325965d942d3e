#version 330 core
// Lit, textured meshes with a normal map (the drone, the rocks).
layout(location = 0) in vec3 vertPosition;
layout(location = 1) in vec3 vertNormal;
layout(location = 2) in vec2 vertTexCoord;
layout(location = 3) in vec3 vertTangent;
layout(location = 4) in vec3 vertBitangent;

uniform mat4 cameraMatrix;
uniform vec3 cameraPosition;
uniform mat4 modelMatrix;
uniform mat4 prevModelMatrix; // last frame's model matrix (velocity pass)

out vec3 worldPosition;
out vec2 texCoord;
out mat3 tangentToWorld;   // tangent, bitangent and normal in world space
out vec4 haze;             // rgb: the sky behind this point; a: how much of it lies in front
flat out int pixelLights;  // bits: the lights to shade per pixel on this triangle
out vec3 vertexLight;      // ambient shares and far point lights, per vertex

// ---- Scene lights for vertex shaders: the same in default.vert and normal.vert (GLSL has no include) ----
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

const int sun = 1;

// A light that gives less than this (diffuse and a little highlight) changes
// no 8-bit colour by more than its rounding.
const float darkEnough = 1.0 / 255.0;
// The fragment shader reads the list of a triangle's last vertex for all of
// it, so a light is listed when it reaches any point this far from the
// vertex: the farthest a triangle's point lies from its corner (35 units
// across a cell of the ground, less on the landmark rock).
const float triangleReach = 40.0;
// A point light farther away than this lights the vertices, not the pixels:
// its light changes slowly over a triangle (the drone's, 110 units up, is
// one). Between the two distances the vertices take over gradually.
const float pixelLitWithin = 60.0, vertexLitBeyond = 80.0;

// cos(radians(degrees)) for 0 to 90 degrees, within 0.001, for a fraction of
// the library cosine's cost.
float cosineOfDegrees(float degrees)
{
    float x = radians(min(degrees, 90.0));
    float x2 = x * x;
    return 1.0 + x2 * (-0.5 + x2 * (1.0 / 24.0 - x2 / 720.0));
}

// What the lights give this vertex, to be multiplied by the surface colour:
// every light's ambient share and the diffuse light of far point lights.
// `pixelLights` gets the lights the fragment shader must shade per pixel
// anywhere within triangleReach, one bit each: directional lights but the
// sun, and spotlights and point lights that reach there, these from nearer
// than vertexLitBeyond. Lean on purpose: it runs for every vertex of every lit
// mesh, on the one thread that shades vertices.
vec3 lightVertex(vec3 position, vec3 normal, out int pixelLights)
{
    vec3 light = vec3(0.0);
    pixelLights = 0;
    for (int i = 0; i < maxLights; ++i) {
        Light source = lights[i];
        vec3 fromLight = position - source.position.xyz;
        float distance = max(length(fromLight), 1e-4);
        float nearest = max(distance - triangleReach, 0.0);
        float directionLength = length(source.spotlightDirection);
        bool spot = source.spotlightAngle < 180.0 && directionLength > 0.0;
        float fade = 1.0 + source.attenuation * (spot ? nearest : nearest * nearest);
        bool bright = 1.5 * max(source.color.r, max(source.color.g, source.color.b)) > darkEnough * fade;
        // The cone, widened by the angle the margin spans as seen from the
        // light: cos(edge + widening) from the sines and cosines of both.
        float sinWidening = min(triangleReach / distance, 1.0);
        float cosEdge = cosineOfDegrees(source.spotlightAngle);
        float limit = cosEdge * sqrt(1.0 - sinWidening * sinWidening) - sqrt(max(1.0 - cosEdge * cosEdge, 0.0)) * sinWidening;
        bool inCone = !spot || dot(fromLight, source.spotlightDirection) >= limit * distance * directionLength;
        bool point = source.position.w != 0.0 && !spot;
        bool pixelLit = source.position.w == 0.0 || (bright && inCone && (!point || nearest < vertexLitBeyond));
        // A directional sun is shaded by every pixel outside the list.
        pixelLit = pixelLit && !(i == sun && source.position.w == 0.0);
        float vertexShare = point ? smoothstep(pixelLitWithin, vertexLitBeyond, distance) : 0.0;
        float diffuse = max(dot(normal, -fromLight / distance), 0.0) / (1.0 + source.attenuation * distance * distance);
        if (i < numLights) {
            light += source.ambientCE * source.color + vertexShare * diffuse * source.color;
            if (pixelLit)
                pixelLights |= 1 << i;
        }
    }
    return light;
}
// ---- End of the scene lights ----

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
    mat3 m = mat3(modelMatrix);
    // Normals through the cofactor matrix (the inverse transpose times the
    // determinant, without an inverse); tangents lie in the surface and go
    // through the model matrix itself.
    vec3 normal = normalize(mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1])) * vertNormal);
    // Models without texture coordinates have no tangents: any frame around
    // the normal will do.
    vec3 tangent = m * vertTangent;
    if (dot(tangent, tangent) < 1e-8)
        tangent = abs(normal.y) < 0.9 ? cross(normal, vec3(0.0, 1.0, 0.0)) : cross(normal, vec3(1.0, 0.0, 0.0));
    tangent = normalize(tangent - normal * dot(normal, tangent));
    vec3 bitangent = m * vertBitangent;
    if (dot(bitangent, bitangent) < 1e-8)
        bitangent = cross(normal, tangent);
    tangentToWorld = mat3(tangent, normalize(bitangent), normal);
    worldPosition = world.xyz;
    texCoord = vertTexCoord;
    haze = hazeAt(world.xyz);
    vertexLight = lightVertex(world.xyz, normal, pixelLights);
    gl_Position = cameraMatrix * world;
}
