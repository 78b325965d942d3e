#version 330 core
// Composite: the colour image smeared along each pixel's screen velocity.
in vec2 texCoord;

uniform sampler2D colorTexture;    // unit 0: the lit scene with the HUD
uniform sampler2D velocityTexture; // unit 1: per-pixel motion since the last frame
uniform float uVelocityScale;      // frame-rate and finish-dependent strength, set every frame

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
// still, so that a still view (and the HUD in it) stays sharp and costs one
// read. Very fast motion would smear across the screen: streaks stop at a
// twenty-fifth of it each way. (The loop runs as often as the busiest pixel
// near it needs, and all its set-up runs for every pixel: it is kept short.)
const float pixelsPerTap = 2.0;
const int mostTaps = 12;
const float longestStreak = 0.04; // in texture units, along x and along y

void main()
{
    vec2 velocity = decodeVelocity(texture(velocityTexture, texCoord).rg) * uVelocityScale;
    velocity = clamp(velocity, -longestStreak, longestStreak);
    vec2 pixels = abs(velocity) * vec2(textureSize(colorTexture, 0));
    int taps = int(min(max(pixels.x, pixels.y) / pixelsPerTap, float(mostTaps - 1))) + 1;

    // From half a streak behind the pixel to half a streak ahead of it.
    vec2 step = velocity / float(max(taps - 1, 1));
    vec2 at = texCoord - step * (0.5 * float(taps - 1));
    vec3 sum = vec3(0.0);
    for (int i = 0; i < taps; ++i) {
        sum += texture(colorTexture, at).rgb;
        at += step;
    }
    finalColor = vec4(sum / float(taps), 1.0);
}
