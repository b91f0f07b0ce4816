// Fuzzing of options.cfg: any bytes read over the defaults give a record whose lookups stay in
// bounds and that writes back what it read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "game/Texts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::size_t n = std::min(size, COptions::kFileBytes);
    COptions options;
    options.ReadImage(data, n);
    const COptions::Image image = options.ToImage();
    if (!std::equal(data, data + n, image.begin())) {
        std::abort();
    }
    for (int i = 0; i <= kLevelSlots; ++i) {
        const SLevelStats s = GetLevelStats(options, i);
        StatTimeText(s.totalTime);
        StatTimeText(s.bestTime);
        StatTimeText(s.averageTime);
    }
    RecordSolvedGame(options, options.GetLevel(), 61);
    for (int m = 0; m < kMessageCount; ++m) {
        if (MessageText(options, static_cast<MessageId>(m)).empty()) {
            std::abort();
        }
    }
    for (int t = 0; t < kTipCount; ++t) {
        TipText(options, t);
    }
    return 0;
}
