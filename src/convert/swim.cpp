#include "convert/swim.hpp"

#include "model/time_text.hpp"
#include "points/gb_points.hpp"

namespace et {

bool ReadEnteredTime(std::string_view timeText, double& swtime, std::string& normalised,
                     std::string& error) {
    if (timeText.find_first_not_of(' ') == std::string_view::npos) {
        error = "no time given";
        return false;
    }
    std::int16_t nerr = kTimeOk;
    timecheck(timeText, swtime, normalised, nerr);
    if (nerr == kTimeMalformed) {
        error = "time '";
        error += timeText;
        error += "' is not a swim time like 59.87 or 1:02.34";
        return false;
    }
    // The window takes no time of 10.00 seconds or less, nor one over 45 minutes.
    if (!IsWorkableTime(nerr, swtime)) {
        error = "time '";
        error += timeText;
        error += swtime > kLongestTime ? "' is over 45 minutes" : "' is not above 10.00 seconds";
        return false;
    }
    return true;
}

bool EvaluateSwim(const PoolInfo& pool, const IndividualEvent& event, std::string_view timeText,
                  SwimResult& result, std::string& error) {
    double swtime = 0.0;
    std::string normalised;
    if (!ReadEnteredTime(timeText, swtime, normalised, error)) {
        return false;
    }

    result.boxes =
        ConvertedTimes(event.code, event.distance, swtime, pool.type, pool.turnsPerHundred);
    const PointsUpdate points =
        ShowGBPoints(pool.type, pool.turnsPerHundred, event.code, result.boxes[kFiftyMetreBox],
                     result.boxes[kTwentyFiveMetreBox]);
    // A fresh swim has no earlier figures to keep: a box left alone is an empty box.
    result.male = points.box[0].value_or(std::string());
    result.female = points.box[1].value_or(std::string());
    return true;
}

std::string_view BareBoxText(std::string_view box) {
    const auto first = box.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : box.substr(first);
}

std::string EnteredTimeText(long hundredths) {
    const std::string laidOut = TimeToAlpha(static_cast<double>(hundredths) / 100.0, "P");
    return std::string(BareBoxText(laidOut));
}

} // namespace et
