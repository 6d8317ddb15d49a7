#pragma once
// A picture file drawn the way a picture frame shows it: decoded by the
// graphics library and drawn over white at the size asked for, so that what
// a file leaves see-through (an alpha channel) comes out white.
#include <string>

#include "platform/services/picture.h"

namespace plat {

struct DrawnPictureFile {
    int status = 0;  // gp::Ok when `drawn` holds the picture
    // The file's own size in pixels; 0 x 0 when it is no picture the library reads.
    int naturalWidth = 0, naturalHeight = 0;
    Picture drawn;  // empty unless status is gp::Ok
    // For a file with its own transparency (an alpha channel, a GIF's
    // transparent colour): white where it is mostly see-through, black
    // elsewhere, so white pixels it holds stay shown. Empty for a file
    // without: then white itself is see-through.
    Picture seeThrough;
};

// Draws the file scaled to width x height; with either of them 0 or less, at
// its own size. A picture too large to hold (the 32-bit build's address space)
// comes back with its size, status OutOfMemory and nothing drawn.
DrawnPictureFile DrawPictureFile(const std::wstring& path, int width = 0, int height = 0);

}  // namespace plat
