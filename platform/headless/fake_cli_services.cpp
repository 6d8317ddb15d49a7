// A "running copy" here is this same process: a request goes straight to the
// handler that is set, as the real one would reach the main window.
#include "platform/headless/fake_cli_services.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/services/console.h"
#include "platform/services/file_write.h"
#include "platform/services/instance_request.h"
#include "platform/services/picture_bytes.h"
#include "platform/services/run_key.h"

namespace plat {

namespace {
InstanceRequestHandler& Handler() {
    static InstanceRequestHandler handler;
    return handler;
}
std::vector<MenuEntry>& MenuTree() {
    static std::vector<MenuEntry> tree;
    return tree;
}
int& MenuAnswer() {
    static int answer = -1;
    return answer;
}
std::wstring& ChosenFolder() {
    static std::wstring folder;
    return folder;
}
std::vector<std::wstring>& PickerTitles() {
    static std::vector<std::wstring> titles;
    return titles;
}
bool& RunKeyRefuses() {
    static bool refuses = false;
    return refuses;
}
// Not a real PNG: the width, the height and the raw pixels.
constexpr char kMagic[4] = {'F', 'P', 'N', 'G'};
}  // namespace

namespace fake {
std::vector<ConsoleLine>& ConsoleLines() {
    static std::vector<ConsoleLine> lines;
    return lines;
}
std::map<std::wstring, std::wstring>& RunEntries() {
    static std::map<std::wstring, std::wstring> entries;
    return entries;
}
void SetRunKeyRefuses(bool refuses) { RunKeyRefuses() = refuses; }
std::optional<std::uint32_t>& PrintScreenForSnipping() {
    static std::optional<std::uint32_t> value;
    return value;
}
void SetChosenFolder(std::wstring folder) { ChosenFolder() = std::move(folder); }
const std::vector<std::wstring>& FolderPickerTitles() { return PickerTitles(); }
const std::vector<MenuEntry>& LastTrayMenuTree() { return MenuTree(); }
void SetTrayMenuTreeAnswer(int id) { MenuAnswer() = id; }
void ResetCliServices() {
    ConsoleLines().clear();
    RunEntries().clear();
    RunKeyRefuses() = false;
    MenuTree().clear();
    MenuAnswer() = -1;
    ChosenFolder().clear();
    PrintScreenForSnipping().reset();
    PickerTitles().clear();
    Handler() = nullptr;
}
}  // namespace fake

void WriteConsoleLine(const std::wstring& line, bool error) { fake::ConsoleLines().push_back({line, error}); }

InstanceAnswer AskRunningInstance(const std::wstring&, const std::wstring& request) {
    InstanceAnswer answer;
    if (!Handler()) return answer;
    const InstanceRequestHandler handler = Handler();
    std::function<void()> after;
    answer.reached = true;
    answer.code = handler(request, answer.data, after);
    if (after) after();
    return answer;
}

void SetInstanceRequestHandler(InstanceRequestHandler handler) { Handler() = std::move(handler); }

bool EncodePngBytes(const Picture& picture, std::vector<std::uint8_t>& out) {
    if (picture.Empty()) return false;
    const int w = picture.Width(), h = picture.Height();
    std::vector<std::uint8_t> bytes(sizeof kMagic + 2 * sizeof(int) + static_cast<size_t>(w) * h * 4);
    std::uint8_t* p = bytes.data();
    std::memcpy(p, kMagic, sizeof kMagic);
    std::memcpy(p + 4, &w, sizeof w);
    std::memcpy(p + 8, &h, sizeof h);
    for (int y = 0; y < h; ++y) std::memcpy(p + 12 + static_cast<size_t>(y) * w * 4, picture.Row(y), static_cast<size_t>(w) * 4);
    out = std::move(bytes);
    return true;
}

bool DecodePictureBytes(std::span<const std::uint8_t> bytes, Picture& out) {
    int w = 0, h = 0;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), kMagic, 4) != 0) return false;
    std::memcpy(&w, bytes.data() + 4, sizeof w);
    std::memcpy(&h, bytes.data() + 8, sizeof h);
    if (w <= 0 || h <= 0 || bytes.size() != 12 + static_cast<size_t>(w) * h * 4) return false;
    Picture pic = Picture::Create(w, h);
    for (int y = 0; y < h; ++y) std::memcpy(pic.MutableRow(y), bytes.data() + 12 + static_cast<size_t>(y) * w * 4, static_cast<size_t>(w) * 4);
    out = std::move(pic);
    return true;
}

int ShowTrayMenuTree(Handle, const std::vector<MenuEntry>& entries) {
    MenuTree() = entries;
    return MenuAnswer();
}

std::wstring ChooseFolder(Handle, const std::wstring& title) {
    PickerTitles().push_back(title);
    return ChosenFolder();
}

// Real files, as the headless file service uses; a backslash separates folders.
NewFileResult WriteNewFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    std::wstring p = path;
    std::replace(p.begin(), p.end(), L'\\', L'/');
    const std::filesystem::path file(p);
    NewFileResult r;
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        r.exists = true;
        r.error = {EEXIST, L"The file exists."};
        return r;
    }
    std::ofstream out(file, std::ios::binary);
    if (!out || !out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        out.close();
        std::filesystem::remove(file, ec);
        r.error = {EIO, L"The file could not be written."};
    }
    return r;
}

std::optional<std::wstring> ReadRunEntry(const std::wstring& name) {
    const auto it = fake::RunEntries().find(name);
    if (it == fake::RunEntries().end()) return std::nullopt;
    return it->second;
}

bool WriteRunEntry(const std::wstring& name, const std::wstring& command) {
    if (RunKeyRefuses()) return false;
    if (command.empty())
        fake::RunEntries().erase(name);
    else
        fake::RunEntries()[name] = command;
    return true;
}

std::optional<std::uint32_t> ReadPrintScreenForSnipping() { return fake::PrintScreenForSnipping(); }

bool WritePrintScreenForSnipping(std::uint32_t value) {
    if (RunKeyRefuses()) return false;
    fake::PrintScreenForSnipping() = value;
    return true;
}

std::wstring ExePath() { return L"C:\\Program Files\\Morrowen Snip\\MorrowenSnip.exe"; }

}  // namespace plat
