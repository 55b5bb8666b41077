// A byte string read as a technician's events, played on every window's sheet:
// nothing crashes, and after the last event every result is in step with the
// readings on screen (a state out of step midway is the last of a shorter input).

#include "sheet_events.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const std::string problem = sheet_events::play(data, size, false); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
