#pragma once
// Who each desk is. A desk gets its identity when it is first written and keeps it whatever it is renamed to;
// no later desk ever gets it, not even one made in the same slot after a fresh start. The store names desks
// by it, so that a deleted desk's items never pass to the next desk of its slot.

#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// The desk in a slot; 0 for a slot out of range or without a desk.
DeskId deskIdAt(const SharedState& state, int slot);
// The slot of a desk; -1 when no desk has that identity any more (it was deleted).
int slotOfDesk(const SharedState& state, DeskId desk);

// A new identity, higher than any the record or the desks have seen.
DeskId newDeskId(SharedState& state);
// Gives each named desk without an identity a new one, and drops the identities of slots without a desk. A
// desk read from a settings file that lacks its identity (written by an earlier version, or edited by hand)
// takes the one the record saw in its slot (RecordOrNew), unless another desk has it. True when a desk got
// one.
enum class IdentitySource { New, RecordOrNew };
bool giveDeskIdentities(SharedState& state, IdentitySource source = IdentitySource::New);

// Writes the record of items (SharedState::items) with the desks' identities as they are now; a named desk
// the store meets without an identity gets one first.
[[nodiscard]] FileResult writeRecord(Platform& platform, SharedState& state);

// A record read from the earlier version names desks by slot: each entry takes the identity of the desk now
// in its slot (none for an empty slot, whose entries are then nobody's).
void adoptSlotNumbers(SharedState& state);

}  // namespace koruvan
