#include "training/RandomSource.h"

#include "platform/Random.h"

namespace {

class PlatformRandomSource : public RandomSource {
public:
    int32_t Random(int32_t n) override { return platform::Random(n); }
};

}  // namespace

RandomSource& ProgramRandom() {
    static PlatformRandomSource source;
    return source;
}
