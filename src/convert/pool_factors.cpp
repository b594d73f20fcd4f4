#include "convert/pool_factors.hpp"

#include "model/events.hpp"

namespace et {
namespace {

struct EventFactors {
    double yardMeasure; // pool measure of a yard pool (type 3) for the event
    double turnFactor;  // the same in every pool
};

// Indexed by event code; row 0 is never read.
constexpr std::array<EventFactors, 18> kFactors = {{
    {0.0, 0.0},
    {0.91147, 42.245},  // 50 Free
    {0.91087, 42.245},  // 100 Free
    {0.91157, 43.786},  // 200 Free
    {0.91197, 44.233},  // 400 Free
    {0.91217, 45.525},  // 800 Free
    {1.004155, 46.221}, // 1500 Free, swum over 1650 yards in a yard pool
    {0.91147, 63.616},  // 50 Breast
    {0.90895, 63.616},  // 100 Breast
    {0.91097, 66.598},  // 200 Breast
    {0.91147, 38.269},  // 50 Fly
    {0.91097, 38.269},  // 100 Fly
    {0.91177, 39.76},   // 200 Fly
    {0.91147, 40.5},    // 50 Back
    {0.91187, 40.5},    // 100 Back
    {0.91247, 41.98},   // 200 Back
    {0.90443, 49.7},    // 200 IM
    {0.91046, 55.366},  // 400 IM
}};

constexpr double kNearMetricYardMeasure = 1.006041;

} // namespace

void GetPoolFactors(std::int16_t Distance, std::int16_t EventCode, std::int16_t PoolMeasFlag,
                    std::int16_t NumTurnPH, double& PoolMeasure, double& TurnFactor,
                    float& NumbTurn) {
    const bool hasFactors = IsIndividualEvent(EventCode);
    switch (PoolMeasFlag) {
    case kMetricPools:
        PoolMeasure = 1.0;
        break;
    case kNearMetricYardPools:
        PoolMeasure = kNearMetricYardMeasure;
        break;
    case kYardPools:
        if (hasFactors) {
            PoolMeasure = kFactors[static_cast<std::size_t>(EventCode)].yardMeasure;
        }
        break;
    default:
        break;
    }
    if (!hasFactors) {
        return;
    }
    // The 1500 is swum over 1650 yards in a yard pool, so it has that many lengths to turn.
    const int turnDistance = Distance == 1500 && PoolMeasFlag == kYardPools ? 1650 : Distance;
    const double turns = (static_cast<double>(turnDistance) / 100.0) *
                         (static_cast<double>(Distance) / 100.0) *
                         static_cast<double>(NumTurnPH - 1);
    NumbTurn = static_cast<float>(turns);
    TurnFactor = kFactors[static_cast<std::size_t>(EventCode)].turnFactor;
}

} // namespace et
