#include "model/time_text.hpp"

#include <cmath>

namespace et {
namespace {

enum Field : int { kHundredths = 0, kSeconds = 1, kMinutes = 2 };

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char digitChar(int v) {
    return static_cast<char>('0' + v);
}

} // namespace

void timecheck(std::string_view Timetxt, double& Timeval, std::string& TimeStr,
               std::int16_t& nerr) {
    nerr = kTimeOk;

    // Only the space character is trimmed; a tab is part of the text (and makes it malformed).
    const auto first = Timetxt.find_first_not_of(' ');
    std::string_view text =
        first == std::string_view::npos ? std::string_view{} : Timetxt.substr(first);
    text = text.substr(0, text.find_last_not_of(' ') + 1);

    // A bare two-digit entry such as '45' is seconds: read it as '45.'.
    char padded[4] = {};
    if (text.size() == 2 && text.find('.') == std::string_view::npos) {
        padded[0] = text[0];
        padded[1] = text[1];
        padded[2] = '.';
        text = std::string_view(padded, 3);
    }

    std::int16_t field[3] = {0, 0, 0};
    int k = kHundredths;
    int d = 0;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const char c = *it;
        if (c == '.' || c == ':') {
            if (k == kHundredths) {
                if (d == 1) {
                    // One digit after the separator is tenths: '45.5' is 45.50.
                    field[kHundredths] = static_cast<std::int16_t>(field[kHundredths] * 10);
                }
            } else if (d == 0) {
                nerr = kTimeMalformed; // an empty seconds or minutes field, as in '1..05'
                return;
            }
            ++k;
            d = 0;
            if (k > kMinutes) {
                nerr = kTimeMalformed; // a third separator
                return;
            }
        } else if (!isDigit(c)) {
            nerr = kTimeMalformed;
            return;
        } else {
            const auto v = static_cast<std::int16_t>(c - '0');
            // The walk runs right to left, so the second digit read is the tens.
            field[k] = d == 0 ? v : static_cast<std::int16_t>(v * 10 + field[k]);
            ++d;
            if (d == 3) {
                nerr = kTimeMalformed;
                return;
            }
        }
    }

    // '75.20' is 1:15.20, but with minutes given the seconds must be under 60.
    if (field[kSeconds] >= 60) {
        if (field[kMinutes] != 0) {
            nerr = kTimeMalformed;
            return;
        }
        field[kMinutes] = 1;
        field[kSeconds] = static_cast<std::int16_t>(field[kSeconds] - 60);
    }

    const int wholeSeconds = field[kMinutes] * 60 + field[kSeconds];
    Timeval = static_cast<double>(wholeSeconds) + static_cast<double>(field[kHundredths]) / 100.0;
    if (Timeval < kShortestTime || Timeval > kLongestTime) {
        nerr = kTimeOutOfRange;
    }

    TimeStr = "00:00.00";
    const int positions[3] = {6, 3, 0};
    for (int f = kHundredths; f <= kMinutes; ++f) {
        TimeStr[static_cast<std::size_t>(positions[f])] = digitChar(field[f] / 10);
        TimeStr[static_cast<std::size_t>(positions[f] + 1)] = digitChar(field[f] % 10);
    }
}

std::string TimeToAlpha(double swtime, std::string_view TFFormat) {
    const bool plain = TFFormat == "P";
    if (!plain && TFFormat != "F") {
        return {};
    }
    // The minute field holds two digits; nothing outside 0 .. under 100 minutes can be written.
    if (!(swtime >= 0.0) || !(swtime < 6000.0)) {
        return {};
    }
    std::string work(8, plain ? ' ' : '0');

    // Work in whole hundredths, a half going up, so the seconds never read 60.
    const auto hundredths = static_cast<long>(std::floor(swtime * 100.0 + 0.5));
    if (hundredths >= 600000) {
        return {};
    }
    const long m = hundredths / 6000;
    const long s = hundredths - m * 6000;
    if (m >= 10) {
        work[0] = digitChar(static_cast<int>(m / 10 % 10));
    }
    if (m >= 1) {
        work[1] = digitChar(static_cast<int>(m % 10));
        work[2] = '.';
    }
    work[3] = digitChar(static_cast<int>(s / 1000));
    work[4] = digitChar(static_cast<int>(s / 100 % 10));
    work[5] = '.';
    work[6] = digitChar(static_cast<int>(s / 10 % 10));
    work[7] = digitChar(static_cast<int>(s % 10));

    if (plain) {
        return work;
    }
    return {work[0], work[1], work[3], work[4], work[6], work[7]};
}

} // namespace et
