// The records file as start-up and every win read it: the input is
// records.txt. Whatever it holds, the reader says it is damaged or gives
// records that the game writes back and reads again unchanged.
#include "app/Records.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ParsedRecords parsed = parseRecords(std::string(reinterpret_cast<const char*>(data), size));
    if (!parsed.damage.empty())
        return 0;
    const std::string written = formatRecords(parsed.records);
    const ParsedRecords again = parseRecords(written);
    if (!again.damage.empty() || formatRecords(again.records) != written)
        std::abort();
    return 0;
}
