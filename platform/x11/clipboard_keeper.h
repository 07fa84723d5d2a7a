#pragma once

#include <vector>

#include "platform/x11/clipboard_offers.h"

namespace x11 {

// The command-line option that makes this program a clipboard keeper; for its own use only.
inline constexpr const char* kClipboardKeeperOption = "--clipboard-keeper";

// Hands the clipboard, which the caller owns, to a keeper that serves `offers` after we exit:
// this executable started again with kClipboardKeeperOption, in a session of its own. The
// content reaches it through memory, never through a file. Returns once the keeper owns the
// clipboard; false if it could not start or did not take the clipboard in time.
bool startClipboardKeeper(const std::vector<ClipboardOffer>& offers);

// The keeper's own run, given the offers on standard input and a pipe to the program on
// standard output: owns CLIPBOARD, says so through the pipe, asks a clipboard manager to save
// the content if one runs, and serves the content until another program takes the clipboard,
// the manager has saved it, or the X server goes. Returns the exit status.
int runClipboardKeeper();

}  // namespace x11
