#include "platform/headless/headless_state.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/headless/headless_picture.h"

namespace headless::detail {

namespace {
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "morrowen-headless-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;  // best effort at exit
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};

TempFolder& Folder() {
    static TempFolder folder;
    return folder;
}
}  // namespace

// Made once: nothing draws on the screen picture, so every reset can share it.
plat::Picture DefaultScreen() {
    static const plat::Picture screen = [] {
        plat::Picture p = plat::Picture::Create(1920, 1080, plat::Rgb(255, 255, 255));
        p.Impl()->Untrack();
        return p;
    }();
    return screen;
}

const std::wstring& DefaultExeDir() {
    static const std::wstring dir = Folder().path.wstring();
    return dir;
}

void EmptyDefaultExeDir() {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(Folder().path, ec))
        std::filesystem::remove_all(e.path(), ec);
}

World& St() {
    static World* s = [] {
        auto* st = new World;  // never destroyed: forms may outlive static teardown
        st->screen = DefaultScreen();
        st->exeDir = DefaultExeDir();
        return st;
    }();
    return *s;
}

void ResetState() {
    World& s = St();
    s.screen = DefaultScreen();
    s.now = 0;
    for (auto& t : s.timers) t.due = t.interval;
    s.clipboard = {};
    s.clipboardWrites = 0;
    s.clipboardBusy = false;
    s.msgBoxes.clear();
    s.pointer = plat::MousePointer::Default;
    s.cursor = {};
    s.quit.reset();
    s.input.clear();
    s.exeDir = DefaultExeDir();
    s.idle = nullptr;
    s.dpi = 96;
    s.monitors.clear();
    s.screenOrigin = {};
    EmptyDefaultExeDir();
}

}  // namespace headless::detail
