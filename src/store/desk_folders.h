#pragma once
// Where the Desktop and the Windows folder are, and whether the Desktop may take part in moving items.

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The user's Desktop shell folder as the shell knows it (its known folder), cleaned; the legacy registry
// value when the shell names none. No trailing "\" is added.
std::string readDesktopFolder(Platform& platform);

// The Windows directory, ending in exactly one "\".
std::string readWindowsDirectory(Platform& platform);

// The Desktop takes part in moving items only when it names a real folder of its own: a failed read leaves
// "\" (the root of the current drive), and a Desktop that is a store folder would be emptied into itself; one
// that holds the program (KORUVAN.exe put on the Desktop) would carry off its settings file and its journal.
bool isUsableDesktop(Platform& platform, const SharedState& state);
// The Desktop is the program's own folder: KORUVAN.exe put on the Desktop itself.
bool isProgramOnDesktop(const SharedState& state);

}  // namespace koruvan
