#include "foundation/CXRandom.h"

#include "foundation/CpuClones.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

#include <cstring>
#include <ctime>
#include <unordered_set>

namespace {

uint32_t state = 1;
int buffer[CXRandom::kVectorSize];

uint32_t magnitude(int n)
{
    return n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
}

} // namespace

CXRandom::CXRandom()
{
    seed(static_cast<uint32_t>(std::time(nullptr)));
}

void CXRandom::seed(uint32_t value)
{
    state = value;
}

int CXRandom::draw()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

// Thirty-two draws at a time, each from the state before them: the state k steps on is
// A_k × state + C_k, so the thirty-two are independent of one another and go in two vectors.
// The vectors work out twice each state, whose top bit then falls off: the draw is what stays
// above the lowest 17 bits.
namespace {

constexpr int kLanes = 16;
constexpr int kVectors = 2;
constexpr int kBlock = kLanes * kVectors;
using Lanes = uint32_t __attribute__((vector_size(kLanes * sizeof(uint32_t))));

struct Steps {
    uint32_t multiplier[kBlock];
    uint32_t increment[kBlock];
    uint32_t doubledMultiplier[kBlock];
    uint32_t doubledIncrement[kBlock];
};

constexpr Steps makeSteps()
{
    Steps made{};
    uint32_t multiplier = 1;
    uint32_t increment = 0;
    for (int k = 0; k < kBlock; ++k) {
        multiplier *= 214013u;
        increment = increment * 214013u + 2531011u;
        made.multiplier[k] = multiplier;
        made.increment[k] = increment;
        made.doubledMultiplier[k] = 2 * multiplier;
        made.doubledIncrement[k] = 2 * increment;
    }
    return made;
}

constexpr Steps kSteps = makeSteps();

// The whole blocks from the state, which moves on past them; the draws made. The state is held
// apart from the values while they are written, so that the next block need not wait for them.
KESTRUM_WIDE_CPU_CLONES int drawBlocks(uint32_t& state, int* values, int count)
{
    Lanes multipliers[kVectors];
    Lanes increments[kVectors];
    std::memcpy(multipliers, kSteps.doubledMultiplier, sizeof multipliers);
    std::memcpy(increments, kSteps.doubledIncrement, sizeof increments);
    uint32_t current = state;
    int i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        const Lanes from = Lanes{} + current;
        for (int v = 0; v < kVectors; ++v) {
            const Lanes draws = (multipliers[v] * from + increments[v]) >> 17;
            std::memcpy(values + i + v * kLanes, &draws, sizeof draws);
        }
        current = kSteps.multiplier[kBlock - 1] * current + kSteps.increment[kBlock - 1];
    }
    state = current;
    return i;
}

} // namespace

void CXRandom::draw(int* values, int count)
{
    for (int i = drawBlocks(state, values, count); i < count; ++i)
        values[i] = draw();
}

int CXRandom::random(int n)
{
    if (n == 0)
        return 0;
    // Summed unsigned, so a tick count past 2^31 cannot make the result negative.
    uint32_t r = static_cast<uint32_t>(draw()) + platform::tickCount();
    return static_cast<int>(r % magnitude(n));
}

int CXRandom::random(int from, int n)
{
    return static_cast<int>(static_cast<uint32_t>(from) + static_cast<uint32_t>(random(n)));
}

int* CXRandom::random_vector(int from, int n, int count, bool unique)
{
    int64_t wanted = count == 0 ? int64_t{n} - from : count;
    if (wanted > kVectorSize) {
        platform::debugOutput("Arguments error: Random::getPlenty( )\n");
        return buffer;
    }
    uint64_t possibleValues = n == 0 ? 1 : magnitude(n);
    std::unordered_set<int> taken;
    for (int64_t i = 0; i < wanted; ++i) {
        int value = random(from, n);
        if (unique) {
            while (taken.size() < possibleValues && taken.count(value) != 0)
                value = random(from, n);
            taken.insert(value);
        }
        buffer[i] = value;
    }
    return buffer;
}
