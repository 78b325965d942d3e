#version 330 core
// Screen motion since the last frame, in texture units (0..1 across the
// screen), stored on top of the velocity image's clear value 32/255: the
// composite takes that value away again, so the clear value means "no motion"
// and pixels nothing moving covered stay sharp.
in vec4 currentClip;
in vec4 previousClip;

out vec4 finalColor;

const vec2 velocityZero = vec2(32.0 / 255.0);
vec2 encodeVelocity(vec2 velocity)
{
    return velocity + velocityZero;
}

void main()
{
    vec2 current = currentClip.xy / currentClip.w;
    // A point that was behind the camera last frame has no usable position.
    vec2 previous = previousClip.w > 1e-4 ? previousClip.xy / previousClip.w : current;
    finalColor = vec4(encodeVelocity((current - previous) * 0.5), 0.0, 1.0);
}
