#pragma once
// The ten desk slots.

namespace koruvan {

constexpr int kDeskCount = 10;

inline bool isDeskIndex(int desk) {
    return desk >= 0 && desk < kDeskCount;
}

}  // namespace koruvan
