#pragma once
// Scripted answers for the headless common dialogs: the test queues what the
// user will answer, the dialog takes the next answer and records the request.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/services/dialogs.h"

namespace plat::fake {

// The next save dialog returns path as the chosen name (already as the dialog
// would return it: a full path, with any default extension added).
void QueueSaveAnswer(std::wstring path, int filterIndex = 1);
void QueueSaveCancel();
// The next save dialog fails with the platform's error code.
void QueueSaveFailure(std::uint32_t error);

// Every save dialog request shown since the last reset, in order.
const std::vector<FileDialogRequest>& SaveDialogRequests();
// Dialogs shown with no answer queued (they answer as a cancel).
int UnansweredDialogs();
// Answers left unused.
int PendingDialogAnswers();
// Runs `action` while the next save dialog is open, before it answers (what
// another program does meanwhile).
void WhileNextSaveDialogIsOpen(std::function<void()> action);

// The open-file dialog, scripted the same way.
void QueueOpenAnswer(std::wstring path, int filterIndex = 1);
void QueueOpenCancel();
void QueueOpenFailure(std::uint32_t error);
const std::vector<FileDialogRequest>& OpenDialogRequests();

// The colour and font dialogs: the next one answers with the value queued
// (or as a cancel). With nothing queued they
// answer as a cancel, with the request's own value.
void QueueColorAnswer(Color color);
void QueueFontAnswer(Font font);

// Clears every dialog's script and records.
void ResetDialogs();

}  // namespace plat::fake
