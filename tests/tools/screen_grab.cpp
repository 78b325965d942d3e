// Saves the whole X screen as a binary PPM: screen_grab <file.ppm>. One
// XGetImage, no compression, so the picture is taken within a few milliseconds
// of the call: the game's two-second notices need a quick hand.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <vector>

namespace {

// The 8-bit value of the channel that `mask` selects in `pixel`.
unsigned char channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1UL) == 0)
        ++shift;
    const unsigned long maximum = mask >> shift;
    return static_cast<unsigned char>(((pixel & mask) >> shift) * 255UL / maximum);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screen_grab <file.ppm>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no display\n");
        return 3;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) {
        XCloseDisplay(display);
        std::fprintf(stderr, "no image\n");
        return 4;
    }
    std::vector<unsigned char> rgb(static_cast<size_t>(image->width) * image->height * 3);
    size_t i = 0;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb[i++] = channel(pixel, image->red_mask);
            rgb[i++] = channel(pixel, image->green_mask);
            rgb[i++] = channel(pixel, image->blue_mask);
        }
    const int width = image->width, height = image->height;
    XDestroyImage(image);
    XCloseDisplay(display);

    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 5;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return (std::fclose(file) == 0 && written) ? 0 : 5;
}
