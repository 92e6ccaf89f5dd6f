// A desk line of the settings file: reading it never fails, and a desk read from it is written as a line
// that reads back to the same desk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace koruvan;
    const std::string line(reinterpret_cast<const char*>(data), size);
    Desk desk;
    readDeskLine(line, desk);
    if (!desk.exists()) return 0;
    Desk again;
    readDeskLine(formatDeskLine(desk), again);
    if (again != desk) std::abort();
    return 0;
}
