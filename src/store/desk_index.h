#pragma once
// The ten desk slots, and who the desk in a slot is.

#include <cstdint>

namespace koruvan {

constexpr int kDeskCount = 10;

// A desk's identity: given once, when the desk is made, and never again to another desk, whatever slot it
// takes. 0 is no desk.
using DeskId = std::uint32_t;

inline bool isDeskIndex(int desk) {
    return desk >= 0 && desk < kDeskCount;
}

}  // namespace koruvan
