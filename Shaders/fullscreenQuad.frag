#version 330 core
// Composite: the colour image smeared along each pixel's screen velocity and
// stretched over the whole window.
in vec2 texCoord;

uniform sampler2D colorTexture;    // unit 0: the lit scene
uniform sampler2D velocityTexture; // unit 1: per-pixel motion since the last frame
uniform float uVelocityScale;      // frame-rate and finish-dependent strength, set every frame
uniform vec2 uSceneSize;           // pixels of both images the scene was drawn into, from their lower left

out vec4 finalColor;

// The velocity image is cleared to 32/255 in red and green, and pixels no
// moving thing covers (the sky, crawlers, rocks, the drone) keep that value.
// The velocity shader stores its motion on top of the same value, so taking it
// away gives the motion, and the clear value reads as standing still.
const vec2 velocityZero = vec2(32.0 / 255.0);
vec2 decodeVelocity(vec2 stored)
{
    return stored - velocityZero;
}

// About one tap per two pixels of streak and one for a pixel that stands
// still, so that a still view stays sharp and costs one read. Very fast motion
// would smear across the screen: streaks stop at a twenty-fifth of it each
// way. (The loop runs as often as the busiest pixel near it needs, and all its
// set-up runs for every pixel: it is kept short.)
const float pixelsPerTap = 2.0;
const int mostTaps = 12;
const float longestStreak = 0.04; // in shares of the picture, along x and along y

void main()
{
    // Texels are read whole (as a nearest filter would) and only from the
    // scene's part of the images, so nothing beyond its edge (an earlier,
    // larger frame) bleeds in.
    vec2 size = vec2(textureSize(colorTexture, 0));
    vec2 share = uSceneSize / size;
    ivec2 last = ivec2(uSceneSize) - 1;
    vec2 source = texCoord * share;
    ivec2 here = clamp(ivec2(source * size), ivec2(0), last);
    // Motion is stored in shares of the picture; in the images it is that
    // much shorter as the scene is smaller.
    vec2 velocity = decodeVelocity(texelFetch(velocityTexture, here, 0).rg) * uVelocityScale;
    velocity = clamp(velocity, -longestStreak, longestStreak) * share;
    vec2 pixels = abs(velocity) * size;
    int taps = int(min(max(pixels.x, pixels.y) / pixelsPerTap, float(mostTaps - 1))) + 1;

    // From half a streak behind the pixel to half a streak ahead of it, in texels.
    vec2 step = velocity * size / float(max(taps - 1, 1));
    vec2 at = source * size - step * (0.5 * float(taps - 1));
    vec3 sum = vec3(0.0);
    for (int i = 0; i < taps; ++i) {
        sum += texelFetch(colorTexture, clamp(ivec2(at), ivec2(0), last), 0).rgb;
        at += step;
    }
    finalColor = vec4(sum / float(taps), 1.0);
}
