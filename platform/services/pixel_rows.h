#pragma once
// Picture rows in the layouts the graphics library takes.
#include <cstdint>

namespace plat {

// Writes count pixels of a picture row (0x00RRGGBB words) to dst as 3 bytes
// each, blue first, the unused byte dropped: a 24-bit bitmap row. Writes
// exactly count * 3 bytes.
void PackRowBgr24(const std::uint32_t* src, int count, std::uint8_t* dst);

}  // namespace plat
