#pragma once
// The desk store folders and the swapping of Desktop items between them.

#include <string>

#include "core/step_log.h"
#include "platform/platform.h"
#include "store/shared_state.h"
#include "store/switch_journal.h"

namespace koruvan {

// The user's Desktop shell folder from the registry, cleaned; the platform's known Desktop folder when the
// registry names none. No trailing "\" is added.
std::string readDesktopFolder(Platform& platform);

// The Windows directory, ending in exactly one "\".
std::string readWindowsDirectory(Platform& platform);

// Copies (keepSource) or moves every plain file of `source` into `target` (both end in "\"), replacing files
// of the same name. A file that cannot be moved stays in `source`. Returns the number of files that failed.
int copyFolderFiles(Platform& platform, const std::string& source, const std::string& target,
                    bool keepSource);

// Deletes every plain file of a folder; the folder itself stays.
void deleteFolderFiles(Platform& platform, const std::string& folder);

// The Desktop takes part in moving items only when it names a real folder of its own: a failed read leaves
// "\" (the root of the current drive), and a Desktop that is a store folder would be emptied into itself; one
// that holds the program (KORUVAN.exe put on the Desktop) would carry off its settings file and its journal.
bool isUsableDesktop(Platform& platform, const SharedState& state);
// The Desktop is the program's own folder: KORUVAN.exe put on the Desktop itself.
bool isProgramOnDesktop(const SharedState& state);

// Stores the Desktop's items as oldDesk's, puts newDesk's items on the Desktop, lets pending events run once
// and applies newDesk's wallpaper. Does not change currentDesk. Every step is recorded in the switch journal
// before it starts, and the caller clears the journal once LastUse names newDesk. A Desktop file that does
// not move stays, and newDesk's file of that name takes a numbered name beside it. False when the switch
// could not start (the journal could not be written): the Desktop then still holds oldDesk's items.
// `log`, when given, gets the steps' times.
bool swapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StepLog* log = nullptr);

// At start-up, after loadSettings: finishes a switch that a crash cut off, whichever step it had reached, and
// records its new desk as LastUse and currentDesk. True when there was one to finish.
bool finishInterruptedSwitch(Platform& platform, SharedState& state);

// At start-up: copies each stored item of the current desk onto the Desktop where the Desktop has no file of
// that name. A file there is the live one and is never replaced by the stored copy.
void putBackMissingItems(Platform& platform, const SharedState& state);

}  // namespace koruvan
