#pragma once

#include <string>

namespace fakeweb {

// Picture bodies as a thumbnail service sends them.

// A JPEG of the given size, painted with a gradient so that every block has detail;
// progressive files arrive in several scans, which a truncation cuts differently.
std::string jpegPicture(int width, int height, bool progressive = false);

// The colour of the gradient at one pixel, for checking decoded pixels.
struct Rgb {
    unsigned char red, green, blue;
};
Rgb jpegPictureColour(int x, int y, int width, int height);

std::string pngPicture(); // 2 by 2 pixels
std::string gifPicture(); // 1 by 1 pixel

} // namespace fakeweb
