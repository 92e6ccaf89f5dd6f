#pragma once
// The desk store folders and the swapping of Desktop items between them.

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The user's Desktop shell folder from the registry, cleaned; the platform's known Desktop folder when the
// registry names none. No trailing "\" is added.
std::string ReadDesktopFolder(Platform& platform);

// The Windows directory, ending in exactly one "\".
std::string ReadWindowsDirectory(Platform& platform);

// Copies (keepSource) or moves every plain file of `source` into `target` (both end in "\"), replacing files
// of the same name. A file that cannot be moved stays in `source`. Returns the number of files that failed.
int CopyFolderFiles(Platform& platform, const std::string& source, const std::string& target,
                    bool keepSource);

// Deletes every plain file of a folder; the folder itself stays.
void DeleteFolderFiles(Platform& platform, const std::string& folder);

// Stores the Desktop's items as oldDesk's, puts newDesk's items on the Desktop, lets pending events run once
// and applies newDesk's wallpaper. Does not change currentDesk.
void SwapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk);

}  // namespace koruvan
