#version 330 core
// Composite: the colour image blurred along each pixel's screen velocity.
in vec2 texCoord;

uniform sampler2D colorTexture;    // unit 0: the lit scene with the HUD
uniform sampler2D velocityTexture; // unit 1: per-pixel motion since the last frame
uniform float uVelocityScale;      // frame-rate and finish-dependent strength, set every frame

out vec4 finalColor;

// The velocity image is cleared to 32/255 in red and green; the velocity shader
// stores its texture-space motion on top of that value, so it means "no motion".
const float velocityZero = 32.0 / 255.0;
const int sampleCount = 12;
// Very fast motion would smear across the screen: keep streaks short.
const float longestStreak = 0.06;

void main()
{
    vec2 velocity = (texture(velocityTexture, texCoord).rg - vec2(velocityZero)) * uVelocityScale;
    float streak = length(velocity);
    if (streak > longestStreak)
        velocity *= longestStreak / streak;

    vec3 sum = vec3(0.0);
    for (int i = 0; i < sampleCount; ++i) {
        float t = float(i) / float(sampleCount - 1) - 0.5;
        sum += texture(colorTexture, clamp(texCoord + velocity * t, 0.0, 1.0)).rgb;
    }
    finalColor = vec4(sum / float(sampleCount), 1.0);
}
