#pragma once
// The platform's common dialogs. Each takes a plain request record and gives
// back what the user chose; all are modal and run on the UI thread.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace plat {

// How a dialog ended. Failed is a dialog that could not be shown or could not
// hand back its answer (a chosen path longer than the buffer, for example).
enum class DialogOutcome { Chosen, Cancelled, Failed };

// One entry of a file dialog's type list: the text shown and its pattern(s).
struct FileFilter {
    std::wstring description;
    std::wstring pattern;  // "*.jpg", or several joined by ';'
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// The file dialogs' flags, numbered as the platform numbers them.
enum FileDialogFlags : std::uint32_t {
    kFileOverwritePrompt = 0x2,
    kFileHideReadOnly = 0x4,
    kFilePathMustExist = 0x800,
    kFileMustExist = 0x1000,
};

// Open-file and save-file dialogs share one request.
struct FileDialogRequest {
    Handle owner = 0;  // 0: no owner window
    std::wstring title;
    std::vector<FileFilter> filters;
    int filterIndex = 1;       // 1-based entry selected when the dialog opens
    std::wstring fileName;     // name shown in the name box at first
    std::wstring initialDir;
    std::wstring defaultExt;   // added, without its dot, to a name typed without one
    std::uint32_t flags = 0;
    int bufferChars = 260;     // the answer's room, its ending NUL included
};

struct FileDialogResult {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    std::wstring path;      // the full path when Chosen
    int filterIndex = 0;    // the type entry selected when the dialog closed
    std::uint32_t error = 0;  // the platform's dialog error code when Failed
    bool Chosen() const { return outcome == DialogOutcome::Chosen; }
};

FileDialogResult ShowSaveFileDialog(const FileDialogRequest& request);
// The chosen file must exist, whatever the request's flags say.
FileDialogResult ShowOpenFileDialog(const FileDialogRequest& request);

// The colour dialog's flags, numbered as the platform numbers them.
enum ColorDialogFlags : std::uint32_t {
    kColorRgbInit = 0x1,   // the dialog starts on the request's colour
    kColorFullOpen = 0x2,  // the custom-colour half is open from the start
    kColorPreventFullOpen = 0x4,
    kColorAnyColor = 0x100,
};

struct ColorDialogRequest {
    Handle owner = 0;
    Color color = 0;  // the colour selected at first (with kColorRgbInit)
    std::uint32_t flags = kColorRgbInit;
};

struct ColorDialogResult {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    Color color = 0;          // the chosen colour; the request's when not Chosen
    std::uint32_t error = 0;  // the platform's dialog error code when Failed
    bool Chosen() const { return outcome == DialogOutcome::Chosen; }
};

// The sixteen custom colours the user mixes are kept for the next call.
ColorDialogResult ShowColorDialog(const ColorDialogRequest& request);

// The font dialog's flags, numbered as the platform numbers them.
enum FontDialogFlags : std::uint32_t {
    kFontScreenFonts = 0x1,
    kFontForceFontExist = 0x10000,
};

struct FontDialogRequest {
    Handle owner = 0;
    Font font;  // face, size and weight selected at first
    std::uint32_t flags = kFontScreenFonts;
};

struct FontDialogResult {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    // The chosen face, size and bold flag; the request's when not Chosen. The
    // face text lives as long as the program.
    Font font;
    std::uint32_t error = 0;
    bool Chosen() const { return outcome == DialogOutcome::Chosen; }
};

// The dialog's effects part (colour, underline) is never offered: a Font
// could not carry it back. An italic style comes back as its face and weight.
FontDialogResult ShowFontDialog(const FontDialogRequest& request);

}  // namespace plat
