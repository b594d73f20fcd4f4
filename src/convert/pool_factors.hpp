#pragma once
// The nine pools and the per-event factors of the pool model.

#include <array>
#include <cstdint>
#include <string_view>

namespace et {

// Pool types: the metric pools, the two yard pools close to 25 and 33 1/3 metres, the yard pools.
inline constexpr std::int16_t kMetricPools = 1;
inline constexpr std::int16_t kNearMetricYardPools = 2;
inline constexpr std::int16_t kYardPools = 3;

struct PoolInfo {
    std::int16_t type;            // PoolMeasFlag
    std::int16_t turnsPerHundred; // NumTurnPH, the length code
    std::int16_t option;          // index of the pool option in the window
    std::string_view caption;     // the pool option's caption
    std::string_view code;        // short name: 50m, 33m, ... 20y
};

// In converted-time box order: 50, 33 1/3, 25, 20 metres, 36 2/3, 27 1/2 yards, 33 1/3, 25, 20
// yards.
inline constexpr std::array<PoolInfo, 9> kPools = {{
    {1, 1, 3, "50 metres", "50m"},
    {1, 2, 2, "33 1/3 metres", "33m"},
    {1, 3, 1, "25 metres", "25m"},
    {1, 4, 0, "20 metres", "20m"},
    {2, 2, 5, "36 2/3 yards", "36y"},
    {2, 3, 4, "27 1/2 yards", "27y"},
    {3, 2, 8, "33 1/3 yards", "33y"},
    {3, 3, 7, "25 yards", "25y"},
    {3, 4, 6, "20 yards", "20y"},
}};

inline constexpr std::size_t kFiftyMetreBox = 0;
inline constexpr std::size_t kTwentyFiveMetreBox = 2;

constexpr bool IsFiftyMetrePool(std::int16_t poolType, std::int16_t turnsPerHundred) {
    return poolType == kMetricPools && turnsPerHundred == 1;
}

// Yields the pool measure, the event's turn factor and the number of turns (beyond those of a
// 50-metre pool, scaled by the event's length) for an event swum in a pool. Only events 1 to 17
// have factors: for other codes TurnFactor and NumbTurn are left as the caller had them, and so is
// PoolMeasure for a yard pool. A pool type outside 1 to 3 leaves PoolMeasure alone.
void GetPoolFactors(std::int16_t Distance, std::int16_t EventCode, std::int16_t PoolMeasFlag,
                    std::int16_t NumTurnPH, double& PoolMeasure, double& TurnFactor,
                    float& NumbTurn);

} // namespace et
