#include "platform/services/dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <cmath>
#include <set>

#include "platform/win32/handles.h"

namespace plat {

namespace {

// "text\0pattern\0...text\0pattern\0\0", as the file dialogs take their type list.
std::wstring FilterList(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const auto& f : filters) {
        list += f.description;
        list.push_back(L'\0');
        list += f.pattern;
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

DialogOutcome FailedOrCancelled(std::uint32_t& error) {
    error = CommDlgExtendedError();
    return error == 0 ? DialogOutcome::Cancelled : DialogOutcome::Failed;
}

FileDialogResult RunFileDialog(const FileDialogRequest& request, bool open) {
    const std::wstring filters = FilterList(request.filters);
    std::wstring buffer(static_cast<size_t>(request.bufferChars > 1 ? request.bufferChars : 1), L'\0');
    request.fileName.copy(buffer.data(), buffer.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
    ofn.lpstrFilter = request.filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    // Only an existing file can be opened.
    ofn.Flags = open ? request.flags | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : request.flags;
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();

    FileDialogResult result;
    if (open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn)) {
        result.outcome = DialogOutcome::Chosen;
        result.path = buffer.c_str();  // up to the first NUL
        result.filterIndex = static_cast<int>(ofn.nFilterIndex);
        return result;
    }
    result.outcome = FailedOrCancelled(result.error);
    return result;
}

// A face name that outlives the dialog: Font holds its face as a pointer.
// The set only grows by the faces users pick, a handful in a session.
const wchar_t* LastingFace(const wchar_t* face) {
    static std::set<std::wstring> faces;
    return faces.emplace(face).first->c_str();
}

}  // namespace

ColorDialogResult ShowColorDialog(const ColorDialogRequest& request) {
    static COLORREF custom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = reinterpret_cast<HWND>(request.owner);
    cc.rgbResult = request.color;  // COLORREF and Color share the 0x00BBGGRR layout
    cc.lpCustColors = custom;
    cc.Flags = request.flags;

    ColorDialogResult result;
    result.color = request.color;
    if (ChooseColorW(&cc)) {
        result.outcome = DialogOutcome::Chosen;
        result.color = cc.rgbResult & 0xFFFFFFu;
        return result;
    }
    result.outcome = FailedOrCancelled(result.error);
    return result;
}

FontDialogResult ShowFontDialog(const FontDialogRequest& request) {
    const int dpi = [] {
        win32::WindowDc screen(nullptr);
        return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    }();
    LOGFONTW lf{};
    // The dialog turns the height back into points at the screen's own scale.
    lf.lfHeight = -MulDiv(static_cast<int>(std::lround(request.font.points * 10.0f)), dpi, 720);
    lf.lfWeight = request.font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (request.font.face) lstrcpynW(lf.lfFaceName, request.font.face, LF_FACESIZE);

    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = reinterpret_cast<HWND>(request.owner);
    cf.lpLogFont = &lf;
    cf.Flags = (request.flags & ~static_cast<DWORD>(CF_EFFECTS)) | CF_INITTOLOGFONTSTRUCT;

    FontDialogResult result;
    result.font = request.font;
    if (ChooseFontW(&cf)) {
        result.outcome = DialogOutcome::Chosen;
        result.font.face = LastingFace(lf.lfFaceName);
        result.font.points = static_cast<float>(cf.iPointSize) / 10.0f;  // tenths of a point
        result.font.bold = lf.lfWeight >= FW_SEMIBOLD;
        return result;
    }
    result.outcome = FailedOrCancelled(result.error);
    return result;
}

FileDialogResult ShowSaveFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, false); }
FileDialogResult ShowOpenFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, true); }

}  // namespace plat
