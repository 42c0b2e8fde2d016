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

// Sixteen draws at a time, each from the state before them: the state k steps on is
// A_k × state + C_k, so the sixteen are independent of one another and go in two vectors.
namespace {

constexpr int kLanes = 8;
using Lanes = uint32_t __attribute__((vector_size(kLanes * sizeof(uint32_t))));

struct Steps {
    uint32_t multiplier[2 * kLanes];
    uint32_t increment[2 * kLanes];
};

constexpr Steps makeSteps()
{
    Steps made{};
    uint32_t multiplier = 1;
    uint32_t increment = 0;
    for (int k = 0; k < 2 * kLanes; ++k) {
        multiplier *= 214013u;
        increment = increment * 214013u + 2531011u;
        made.multiplier[k] = multiplier;
        made.increment[k] = increment;
    }
    return made;
}

constexpr Steps kSteps = makeSteps();

// The whole blocks of sixteen from the state, which moves on past them; the draws made.
KESTRUM_CPU_CLONES int drawBlocks(uint32_t& current, int* values, int count)
{
    Lanes firstMultipliers;
    Lanes secondMultipliers;
    Lanes firstIncrements;
    Lanes secondIncrements;
    std::memcpy(&firstMultipliers, kSteps.multiplier, sizeof firstMultipliers);
    std::memcpy(&secondMultipliers, kSteps.multiplier + kLanes, sizeof secondMultipliers);
    std::memcpy(&firstIncrements, kSteps.increment, sizeof firstIncrements);
    std::memcpy(&secondIncrements, kSteps.increment + kLanes, sizeof secondIncrements);
    int i = 0;
    for (; i + 2 * kLanes <= count; i += 2 * kLanes) {
        const Lanes from = Lanes{} + current;
        const Lanes first = firstMultipliers * from + firstIncrements;
        const Lanes second = secondMultipliers * from + secondIncrements;
        const Lanes firstDraws = (first >> 16) & 0x7FFFu;
        const Lanes secondDraws = (second >> 16) & 0x7FFFu;
        std::memcpy(values + i, &firstDraws, sizeof firstDraws);
        std::memcpy(values + i + kLanes, &secondDraws, sizeof secondDraws);
        // Worked out apart from the vectors, so that the next sixteen need not wait for them.
        current = kSteps.multiplier[2 * kLanes - 1] * current + kSteps.increment[2 * kLanes - 1];
    }
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
