#pragma once
// Win32 side of the graphics library layer: the native encoder-parameter
// record, and a hook that lets in-process tests see each save call as the
// library receives it.
#include <windows.h>
// The lean Windows headers leave out the COM types the library headers use.
#include <objbase.h>
#include <propidl.h>
#include <gdiplus.h>

#include <functional>
#include <span>
#include <vector>

#include "platform/services/imaging.h"

namespace plat::win32 {

// The library's EncoderParameters record for params, in a buffer that owns
// it; empty when there are no parameters (the save then passes null).
std::vector<unsigned char> EncoderParametersRecord(std::span<const EncoderParameter> params);

// One call of GdipSaveImageToFile, as it is about to be made.
struct SaveCallView {
    const wchar_t* path;
    const CLSID* encoder;
    const Gdiplus::EncoderParameters* params;  // null when none are passed
};
using SaveObserver = std::function<void(const SaveCallView&)>;
// Set for the duration of a test; an empty function removes it.
void SetSaveObserver(SaveObserver observer);

// The next count pictures that LoadPictureFile makes fail to be created, as
// a large one does in the 32-bit build's crowded address space (tests only).
void FailNextLoadedPictures(int count);

// Live library instances and bitmaps started or made through this layer.
long LiveGraphicsInstances();
long LiveGraphicsBitmaps();

}  // namespace plat::win32
