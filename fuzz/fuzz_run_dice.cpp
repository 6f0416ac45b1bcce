// A whole generation run whose dice are fuzz bytes: the first byte picks the
// level, the second the census option and the count; every roll after that
// takes one byte (its low bound once the bytes run out). The run must keep
// every invariant of its tree and reports.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "invariants/run_invariants.h"
#include "support/scratch.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    nexmar::testing::ProcessTempDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const auto level = static_cast<nexmar::DetailLevel>(data[0] % 3);
    const bool census = (data[1] & 0x80) != 0;
    const int systems = 1 + (data[1] & 0x0F);
    nexmar::invariants::ByteDice dice(data + 2, size - 2);
    const nexmar::invariants::RecordedRun run =
        nexmar::invariants::RecordRun({{systems, level, census}}, dice, nexmar::testing::ProcessTempDir());
    const std::vector<std::string> broken = nexmar::invariants::CheckRun(run);
    if (!broken.empty()) {
        std::fprintf(stderr, "level %d, census %d, %d systems:\n", static_cast<int>(level), census, systems);
        for (const std::string& what : broken) {
            std::fprintf(stderr, "  %s\n", what.c_str());
        }
        std::abort();
    }
    return 0;
}
