// Fuzzing of options.cfg: any bytes read over the defaults give a record whose lookups stay in
// bounds and that writes back what it read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "game/Options.h"
#include "game/Statistics.h"
#include "game/Texts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::size_t n = std::min(size, COptions::kFileBytes);
    COptions& options = GetOptions();
    options.SetDefaults();
    options.ReadImage(data, n);
    const COptions::Image image = options.ToImage();
    if (!std::equal(data, data + n, image.begin())) {
        std::abort();
    }
    for (int i = 0; i <= kLevelSlots; ++i) {
        const SLevelStats s = options.GetLevelStats(i);
        StatTimeText(s.totalTime);
        StatTimeText(s.bestTime);
        StatTimeText(s.averageTime);
    }
    options.RecordSolvedGame(options.GetLevel(), 61);
    for (int m = 0; m < kMessageCount; ++m) {
        if (MessageText(static_cast<MessageId>(m)).empty()) {
            std::abort();
        }
    }
    for (int t = 0; t < kTipCount; ++t) {
        TipText(t);
    }
    return 0;
}
