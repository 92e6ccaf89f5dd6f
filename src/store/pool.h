#pragma once
// The item pool ("DskTop"): a copy of every item any desk gave it, which the organiser offers to every desk.
// The record of items says which desk's item each pool file is a copy of, so that the pool holds one copy of
// each item and never loses one that exists nowhere else.

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// What becomes of the pool's copy. Carried: the desk keeps the item, and the copy stays that item's, to be
// replaced by its next version. Released: the desk gives the item up (removed from it, or the desk deleted),
// and the copy is the pool's alone from now on: no later file of that name, on any desk, replaces it.
enum class PoolCopy { Carried, Released };

// Puts `from`, the item `itemName` of the desk `owner` (0 for none), into the pool. It replaces the pool's
// older copy of the same item while that desk carries it; a different file of that name (another desk's
// item, one the user put there by hand, one a desk gave up) keeps its name, and the copy takes the first free
// numbered one; a file with the same bytes is not kept twice. With `moveSource` the source goes (the pool
// shares the desk folders' drive: a rename), else it stays. The record's pool entries follow; the caller
// writes the record.
FileResult addToPool(Platform& platform, SharedState& state, const std::string& from, DeskId owner,
                     const std::string& itemName, bool moveSource, PoolCopy copy = PoolCopy::Carried);

// Gives every item of a desk's folder to the pool, moving it, and ends the desk's entries: its files left
// behind on the Desktop go to the pool too where they can now, and the pool's copies of its items become the
// pool's own. How many items stayed behind.
int giveDeskToPool(Platform& platform, SharedState& state, int desk);

}  // namespace koruvan
