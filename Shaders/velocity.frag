#version 330 core
// Screen motion since the last frame, in texture units (0..1 across the
// screen), stored on top of the image's clear value 32/255: the composite
// reads that value as "no motion", so pixels nothing moving covered stay sharp.
in vec4 currentClip;
in vec4 previousClip;

out vec4 finalColor;

const float velocityZero = 32.0 / 255.0;

void main()
{
    vec2 current = currentClip.xy / currentClip.w;
    // A point that was behind the camera last frame has no usable position.
    vec2 previous = previousClip.w > 1e-4 ? previousClip.xy / previousClip.w : current;
    vec2 velocity = (current - previous) * 0.5;
    finalColor = vec4(velocity + vec2(velocityZero), 0.0, 1.0);
}
