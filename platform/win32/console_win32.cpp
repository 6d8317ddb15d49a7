// A windowed program gets no console: when it was started with standard
// handles (a pipe, a file, a terminal under some hosts) those take the line,
// otherwise the console of the program that started it, if there is one.
#include <windows.h>

#include <string>

#include "platform/services/console.h"
#include "platform/win32/handles.h"

namespace plat {

namespace {

HANDLE ParentConsoleOutput() {
    static win32::KernelHandle console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return win32::KernelHandle();
        return win32::KernelHandle(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
    }();
    return console.Get() == INVALID_HANDLE_VALUE ? nullptr : console.Get();
}

}  // namespace

void WriteConsoleLine(const std::wstring& line, bool error) {
    HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (!out || out == INVALID_HANDLE_VALUE) out = ParentConsoleOutput();
    if (!out) return;
    const std::wstring text = line + L"\r\n";
    DWORD written = 0, mode = 0;
    if (GetConsoleMode(out, &mode)) {
        (void)WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // A pipe or a file: UTF-8, as scripts read it.
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    if (n <= 0) return;
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    (void)WriteFile(out, bytes.data(), static_cast<DWORD>(n), &written, nullptr);
}

}  // namespace plat
