#pragma once
// What follows every snip that reached the clipboard from an editor (a copy,
// or the grab before a save): it joins the recent snips, its rectangle is
// remembered for "Snip last region again", and a watcher (a command-line run)
// may take the picture.
#include <functional>
#include <optional>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace shell {

// `snip` is the picture given to the clipboard, `screenRect` where it was on the screen.
void SnipDelivered(const plat::Picture& snip, const plat::Rect& screenRect);

// The screen rectangle of the last snip delivered in this run, if any.
std::optional<plat::Rect> LastSnipRect();

// Set by whoever waits for a snip (a command-line run); an empty function removes it.
void WatchDeliveries(std::function<void(const plat::Picture&)> watcher);

// Forgets the last rectangle and the watcher (a fresh run, for tests).
void ResetDeliveries();

}  // namespace shell
