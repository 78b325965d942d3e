#version 330 core
// The glyph's coverage as the alpha of the text colour.
in vec2 glyphCoord;

uniform sampler2D glyph; // never set: unit 0, where the glyph texture is bound
uniform vec3 textColor;

out vec4 finalColor;

void main()
{
    float coverage = texture(glyph, glyphCoord).r;
    // Uncovered parts of the quad write no depth, so what is drawn behind the
    // text later still shows between the letters.
    if (coverage < 0.05)
        discard;
    finalColor = vec4(textColor, coverage);
}
