#pragma once
// Helpers for the hotkey tests under Wine: real key input, a.ini beside the
// test program, and test steps run from inside whatever message loop is
// dispatching (the hotkey loop included).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "shell/rwini.h"

namespace hotkey_test {

// Modifiers down, the key down and up, modifiers up: what the system sees
// when a person presses a hotkey. Injected input reaches the hotkey table as
// keyboard input does.
inline void PressKeys(std::initializer_list<WORD> modifiers, WORD key) {
    std::vector<INPUT> in;
    auto add = [&in](WORD vk, DWORD flags) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = flags;
        in.push_back(i);
    };
    for (WORD m : modifiers) add(m, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Runs one step every periodMs through a thread timer, so the steps run inside
// the loop that dispatches messages. When the steps are done, or after
// limitMs, it asks the thread to quit so that the test's loop returns.
class Steps {
public:
    Steps(std::vector<std::function<void()>> steps, UINT periodMs, DWORD limitMs = 20000)
        : steps_(std::move(steps)), start_(GetTickCount()), limit_(limitMs) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, periodMs, &Steps::Proc);
    }
    ~Steps() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
        Steps* self = current_;
        if (!self || id != self->timer_ || self->quitting_) return;
        if (GetTickCount() - self->start_ > self->limit_) {
            ADD_FAILURE() << "test steps timed out after step " << self->next_;
            self->Quit();
            return;
        }
        if (self->busy_) return;  // a step that pumps messages must not re-enter the steps
        if (self->next_ == self->steps_.size()) {
            self->Quit();
            return;
        }
        self->busy_ = true;
        auto step = self->steps_[self->next_++];
        step();
        self->busy_ = false;
    }
    void Quit() {
        quitting_ = true;
        PostQuitMessage(0);
    }

    static inline Steps* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    DWORD start_;
    DWORD limit_;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
    bool quitting_ = false;
};

inline std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
}

// a.ini beside the test program, set aside for the test and put back after.
class IniBesideExe {
public:
    IniBesideExe() : path_(rwini::IniPath()) {
        had_ = GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (had_) saved_ = ReadBytes(path_);
        DeleteFileW(path_.c_str());
    }
    ~IniBesideExe() {
        DeleteFileW(path_.c_str());
        if (had_) WriteBytes(path_, saved_);
    }
    IniBesideExe(const IniBesideExe&) = delete;
    IniBesideExe& operator=(const IniBesideExe&) = delete;
    const std::wstring& Path() const { return path_; }
    std::string Bytes() const { return ReadBytes(path_); }
    void Set(const std::string& bytes) const { WriteBytes(path_, bytes); }

private:
    std::wstring path_;
    bool had_ = false;
    std::string saved_;
};

}  // namespace hotkey_test
