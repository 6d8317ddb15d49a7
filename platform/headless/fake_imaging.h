#pragma once
// The headless graphics library: five encoders listed as the platform lists
// them, saves recorded for the test and written as a small raw file (so that
// unwritable paths fail as they would), and scripted failures.
#include <optional>
#include <string>
#include <vector>

#include "platform/services/imaging.h"
#include "platform/services/types.h"

namespace plat::fake {

struct RecordedParameter {
    Guid guid;
    std::uint32_t numberOfValues = 0;
    std::uint32_t type = 0;
    const void* address = nullptr;
    std::uint32_t value = 0;  // the first value, read at the time of the save
};

struct RecordedSave {
    std::wstring path;
    Guid encoder;
    std::vector<RecordedParameter> params;
    Picture picture;  // a copy of what was saved
    MousePointer pointer = MousePointer::Default;  // the program's pointer during the save
};

// What a save leaves on disk: the picture as a small raw file, nothing, or a
// few bytes (as an encoder that stopped half-way would).
enum class SaveWrites { Picture, Nothing, Partial };

struct ImagingState {
    int startupStatus = gp::Ok;   // what GraphicsStartup answers
    int encodersStatus = gp::Ok;  // what GetImageEncoders answers
    std::optional<GraphicsFailure> saveFailure;  // when set, every save fails with it
    SaveWrites writes = SaveWrites::Picture;
    std::vector<ImageEncoder> encoders;          // the list, in its order
    std::vector<RecordedSave> saves;
    long liveInstances = 0;
    long liveBitmaps = 0;
};

// The state every call reads and records into.
ImagingState& Imaging();
// Back to the default list, no failures, nothing recorded.
void ResetImaging();
// The five encoders BMP, JPEG, GIF, TIFF, PNG with the platform's extension lists.
std::vector<ImageEncoder> DefaultEncoders();
// The default list's entry whose codec name is name ("PNG", "JPEG"...); all zero if none.
Guid EncoderClsid(const std::wstring& name);

}  // namespace plat::fake
