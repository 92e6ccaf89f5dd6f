#pragma once
// The fake platform with the one file the fuzzers read held in memory: an input is tried without touching a
// disk.

#include <optional>
#include <string>
#include <string_view>

#include "fake/fake_platform.h"

namespace koruvan::fuzzing {

class MemoryFilePlatform : public testing::FakePlatform {
  public:
    std::optional<std::string> file;

    std::optional<std::string> readFileBytes(const std::string&) override { return file; }
    bool plainFileExists(const std::string&) override { return file.has_value(); }
    FileResult replaceFileBytes(const std::string&, std::string_view bytes) override {
        file = std::string(bytes);
        return {};
    }
};

}  // namespace koruvan::fuzzing
