#pragma once
// The item pool ("DskTop"): a copy of every item any desk gave it, which the organiser offers to every desk.
// The record of items says which desk's item each pool file is a copy of, so that the pool holds one copy of
// each item and never loses one that exists nowhere else.

#include <string>

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// Puts `from`, desk `desk`'s item `itemName`, into the pool. It replaces the pool's older copy of the same
// item; a different file of that name (another desk's item, or one the user put there by hand) keeps its
// name, and the copy takes the first free numbered one; a file with the same bytes is not kept twice. With
// `moveSource` the source goes (the pool shares the desk folders' drive: a rename), else it stays. The
// record's pool entries follow; the caller writes the record.
FileResult addToPool(Platform& platform, SharedState& state, const std::string& from, int desk,
                     const std::string& itemName, bool moveSource);

// Gives every item of a desk's folder to the pool, moving it; how many stayed behind.
int giveDeskToPool(Platform& platform, SharedState& state, int desk);

}  // namespace koruvan
