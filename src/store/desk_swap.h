#pragma once
// Swapping the Desktop's items between desks, finishing a swap a crash cut off, and settling the store at
// each start. The record of items (SharedState::items) says whose each Desktop file is: every file goes to
// its own desk's folder under its own stored name, and no desk ever stores another desk's file.

#include <string>
#include <vector>

#include "core/step_log.h"
#include "platform/platform.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

// One plain file of the Desktop, and whose it is.
struct DesktopItem {
    PlainFile file;
    int desk = 0;
    std::string storedName;
};

// Every plain file of the Desktop with its desk and stored name. A file the record does not name is a new
// file of `currentDesk`, stored under its own name, or, where that desk's folder already holds a file of
// that name that no Desktop file stands for, under the first free numbered name, so that it never replaces
// an item. Without a record (a store kept by an earlier version) such files keep their own names.
std::vector<DesktopItem> desktopItems(Platform& platform, const SharedState& state, int currentDesk);
// The same for the Desktop's files as the caller listed them.
std::vector<DesktopItem> desktopItems(Platform& platform, const SharedState& state, int currentDesk,
                                      std::vector<PlainFile> files);

// Gives the record its token. A store kept by an earlier version has no record: its Desktop files are first
// recorded as `currentDesk`'s own, by name, as that version kept them.
void ensureRecord(Platform& platform, SharedState& state, int currentDesk);

// Stores the Desktop's items, each in its own desk's folder, and puts newDesk's items on the Desktop; lets
// pending events run once and applies newDesk's wallpaper. Does not change currentDesk. Before the first item
// moves, the switch journal records the step; the caller finishes the switch with completeSwitch once the
// windows are done. A file that cannot move stays on the Desktop, still its desk's, and newDesk's file of its
// name comes beside it under a numbered name; an item that cannot be placed stays in its desk's folder. Both
// are added to `report`. False when the switch could not start (the journal could not be written: also in
// `report`): the Desktop then still holds oldDesk's items. `log`, when given, gets the steps' times.
// `wallpaper` Leave: the system shows a wallpaper of its own for the desktop the desk follows.
enum class SwapWallpaper { Apply, Leave };
bool swapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StoreReport& report,
              StepLog* log = nullptr, SwapWallpaper wallpaper = SwapWallpaper::Apply);

// Writes the record of items as swapDesk left it, then LastUse, then removes the journal: a start that finds
// the journal with LastUse naming the new desk knows that the record was written too. False when the record
// or LastUse could not be written; the journal then stays for the next start to finish the switch.
[[nodiscard]] FileResult completeSwitch(Platform& platform, SharedState& state, int newDesk,
                                        StepLog* log = nullptr);

// At each start, after loadSettings: reads the record of items, finishes a switch a crash cut off (when its
// journal agrees with LastUse; one that does not is set aside and reported), clears the program's own
// temporary files, sends files left behind on the Desktop to their desks' folders where they now can go,
// and puts back the current desk's items the Desktop lacks (those the user deleted come back); a file on the
// Desktop is never replaced. Writes the record.
void settleStore(Platform& platform, SharedState& state, StoreReport& report);

// Puts desk `desk`'s stored item on the Desktop under its own name or the first free numbered one, and
// records it; FileError::None when placed.
FileError placeOnDesktop(Platform& platform, SharedState& state, int desk, const std::string& storedName);

// At the first run: each of the Desktop's items becomes desk 0's, with a stored copy in desk 0's folder (a
// file of its name already there is kept, and the item takes a numbered name beside it) and a copy in the
// pool. Writes the record.
void storeFirstDesk(Platform& platform, SharedState& state);

// The part of settleStore that finishes a cut-off switch; true when there was one to finish.
bool finishInterruptedSwitch(Platform& platform, SharedState& state, StoreReport& report);

}  // namespace koruvan
