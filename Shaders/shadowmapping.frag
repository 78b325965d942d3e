#version 330 core
// Only depth matters: the shadow map has no colour to write to. The output is
// declared like every program's, so the draw-buffer binding stays uniform.
out vec4 finalColor;

void main()
{
    finalColor = vec4(1.0);
}
