#include "convert/display.hpp"

#include "convert/conversion.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "model/time_text.hpp"

#include <algorithm>

namespace et {
namespace {

// Pools with two or four turns per hundred (33 1/3 and 20 lengths) where the event's distance is
// not a whole number of lengths: the 1650 yards of the 1500 in 33 1/3 and 20 yards, each stroke's
// quarter of the 200 IM, and the 50s.
bool CannotBeSwum(std::int16_t event, std::int16_t distance, std::int16_t type, std::int16_t j) {
    const bool oddLengths = j == 2 || j == 4;
    if (!oddLengths) {
        return false;
    }
    if (distance == 1500 && type == kYardPools) {
        return true;
    }
    return event == 16 || event == 1 || event == 7 || event == 10 || event == 13;
}

} // namespace

BoxTexts BlankBoxes() {
    BoxTexts boxes;
    boxes.fill(std::string(kBlankBox));
    return boxes;
}

std::optional<double> TimeInPool(std::int16_t EvntCode, double Timeval, std::int16_t Distance,
                                 std::size_t n) {
    if (!IsIndividualEvent(EvntCode) || n >= kPools.size()) {
        return std::nullopt;
    }
    const double T = Timeval;
    const std::int16_t i = kPools[n].type;
    const std::int16_t j = kPools[n].turnsPerHundred;
    if (CannotBeSwum(EvntCode, Distance, i, j)) {
        return std::nullopt;
    }
    double pm = 0.0;
    double tf = 0.0;
    float nt = 0.0F;
    GetPoolFactors(Distance, EvntCode, i, j, pm, tf, nt);
    const double turnDistance = EvntCode == 6 && i == kYardPools ? 1650.0 : Distance;
    return pm * T - (turnDistance / 100.0) * ((tf / T) * (static_cast<double>(Distance) / 100.0)) *
                        static_cast<double>(j - 1);
}

PoolTimes TimesInEveryPool(std::int16_t EvntCode, double Timeval, std::int16_t Distance) {
    PoolTimes times;
    for (std::size_t n = 0; n < times.size(); ++n) {
        times[n] = TimeInPool(EvntCode, Timeval, Distance, n);
    }
    return times;
}

std::string BoxOf(const std::optional<double>& time) {
    // A swim far too fast for its distance (a 1500 in a few seconds) has more turns to take off
    // than it has time: no time in that pool, so its box stays blank.
    if (!time || !(*time > 0.0)) {
        return std::string(kBlankBox);
    }
    // Adding 0.05 and cutting the hundredths shows t to the nearest tenth.
    std::string box = TimeToAlpha(*time + 0.05, "P");
    box.resize(std::min<std::size_t>(box.size(), 7));
    return box;
}

BoxTexts BoxesOf(const PoolTimes& times) {
    BoxTexts boxes;
    for (std::size_t n = 0; n < times.size(); ++n) {
        boxes[n] = BoxOf(times[n]);
    }
    return boxes;
}

BoxTexts DispTimes(std::int16_t EvntCode, double Timeval, std::int16_t Distance) {
    return BoxesOf(TimesInEveryPool(EvntCode, Timeval, Distance));
}

BoxTexts ConvertedTimes(std::int16_t EvntCode, std::int16_t Distance, double swtime,
                        std::int16_t poolType, std::int16_t turnsPerHundred) {
    const auto T = LongCourseTime(EvntCode, Distance, swtime, poolType, turnsPerHundred);
    return T ? DispTimes(EvntCode, *T, Distance) : BlankBoxes();
}

} // namespace et
