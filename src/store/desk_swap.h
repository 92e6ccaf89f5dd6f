#pragma once
// Swapping the Desktop's items between desks, finishing a swap a crash cut off, and settling the store at
// each start. The record of items (SharedState::items) says whose each Desktop file is: every file goes to
// its own desk's folder under its own stored name, and no desk ever stores another desk's file.

#include <string>
#include <vector>

#include "core/step_log.h"
#include "platform/platform.h"
#include "store/desktop_match.h"
#include "store/shared_state.h"
#include "store/store_report.h"

namespace koruvan {

// Gives the record its token. A store kept by an earlier version has no record: its Desktop files are first
// recorded as `currentDesk`'s own, by name, as that version kept them.
void ensureRecord(Platform& platform, SharedState& state, int currentDesk);

// Stores the Desktop's items, each in its own desk's folder, and puts newDesk's items on the Desktop; lets
// pending events run once and applies newDesk's wallpaper. Does not change currentDesk. Before the first item
// moves, the switch journal records the step; the caller finishes the switch with completeSwitch once the
// windows are done. A file that cannot move stays on the Desktop, still its desk's, and newDesk's file of its
// name comes beside it under a numbered name; an item that cannot be placed stays in its desk's folder. Both
// are added to `report`. False when the switch could not start or was taken back, with the reason in
// `report`: the journal could not be written (the Desktop then holds oldDesk's items again), or the Desktop
// cannot be listed, or a start left the store unsettled and the Desktop is still out of reach. A start that
// could not reach the Desktop is finished first, which may change currentDesk (and so the desk left).
// `log`, when given, gets the steps' times. `wallpaper` Leave: the system shows a wallpaper of its own for
// the desktop the desk follows.
enum class SwapWallpaper { Apply, Leave };
bool swapDesk(Platform& platform, SharedState& state, int oldDesk, int newDesk, StoreReport& report,
              StepLog* log = nullptr, SwapWallpaper wallpaper = SwapWallpaper::Apply);

// Writes the record of items as swapDesk left it, naming newDesk as the desk the Desktop holds, then
// LastUse, then removes the journal: a start that finds the journal with LastUse naming the new desk knows
// that the record was written too. When LastUse cannot be written, the record keeps the value the settings
// file kept, so that the next start begins at newDesk all the same; the journal stays. What could not be
// written goes to `report`.
enum class Completion { Done, LastUseKept, NotRecorded };
Completion completeSwitch(Platform& platform, SharedState& state, int newDesk, StoreReport& report,
                          StepLog* log = nullptr);

// At each start, after the record of items and the settings are read: begins at the desk the Desktop holds
// when a switch could not write LastUse (and LastUse still holds what it kept), finishes a switch a crash cut
// off (when its journal agrees with LastUse; one that does not, or that cannot be read, is set aside and
// reported), clears the program's own temporary files, gives the stored copies of items renamed on the
// Desktop their new names, sends files left behind on the Desktop to their desks' folders (a deleted desk's
// to the pool) where they now can go, and puts back the current desk's items the Desktop lacks (those the
// user deleted come back); a file on the Desktop is never replaced. Writes the record. When the Desktop
// cannot be reached or listed it changes nothing and keeps the journal: the store is left unsettled
// (SharedState::storeUnsettled) for the first switch that can reach it.
void settleStore(Platform& platform, SharedState& state, StoreReport& report);

// Puts desk `desk`'s stored item on the Desktop under its own name or the first free numbered one, and
// records it; FileError::None when placed.
FileError placeOnDesktop(Platform& platform, SharedState& state, int desk, const std::string& storedName);

// At a first run (or a fresh start after the settings file was deleted): each of the Desktop's items that the
// record gives to no desk becomes the current desk's, with a stored copy in its folder (a file of its name
// already there is kept, and the item takes a numbered name beside it) and a copy in the pool. Writes the
// record.
void storeFirstDesk(Platform& platform, SharedState& state);

// The part of settleStore that finishes a cut-off switch. Kept: there is one, but the Desktop cannot be
// listed now, so it stays for a later start or switch.
enum class InterruptedSwitch { None, Finished, Kept };
InterruptedSwitch finishInterruptedSwitch(Platform& platform, SharedState& state, StoreReport& report);

}  // namespace koruvan
