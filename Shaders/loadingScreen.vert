#version 330 core
// A full-window image: the quad's clip-space corner gives the texture coordinate.
in vec2 positionNDC;

out vec2 texCoord;

void main()
{
    // Image rows are stored bottom row first, as OpenGL expects: (0, 0) is the
    // lower-left corner of the picture.
    texCoord = positionNDC * 0.5 + 0.5;
    // Just short of the far plane: it passes the depth test against the cleared
    // buffer but stays behind the text drawn before it.
    gl_Position = vec4(positionNDC, 0.999, 1.0);
}
