#pragma once
// Starting and stopping the graphics library around a piece of work, with the
// token kept in one module-level variable.
#include "platform/services/imaging.h"

namespace mGdip {

// Written by StartGraphics, read by StopGraphics.
extern plat::GraphicsTokenValue GraphicsToken;

// Starts the library. When it will not start, the user is told and the
// program ends at once: nothing that draws pictures can work without it.
void StartGraphics();
void StopGraphics();

inline constexpr wchar_t kStartFailureTitle[] = L"初始化错误";
inline constexpr wchar_t kStartFailureText[] = L"GDI+ 初始化错误。程序即将关闭。";

// How StartGraphics ends the program after its message (no unload steps of
// any window run). Tests put their own here.
using EndProgramFn = void (*)();
extern EndProgramFn EndProgram;

}  // namespace mGdip
