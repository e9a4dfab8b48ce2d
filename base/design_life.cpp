#include "base/design_life.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace archive {

namespace {

bool validDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || year < 1900 || year > 2999) return false;
    const CivilDay back = civilFromDays(daysFromCivil(year, month, day));
    return back.day == day && back.month == month;
}

// Digits at text[at..at+count), or -1.
int digitsAt(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int fromBcd(std::uint8_t b) {
    if ((b >> 4) > 9 || (b & 0x0F) > 9) return -1;
    return (b >> 4) * 10 + (b & 0x0F);
}

}  // namespace

std::optional<std::int64_t> parseReadingDate(const std::string& text) {
    const int day = digitsAt(text, 0, 2), month = digitsAt(text, 3, 2), year = digitsAt(text, 6, 4);
    if (day < 0 || month < 0 || year < 0 || text[2] != '.' || text[5] != '.') return std::nullopt;
    if (!validDate(year, month, day)) return std::nullopt;
    int hour = 0, minute = 0;
    if (text.size() > 10) {
        hour = digitsAt(text, 11, 2);
        minute = digitsAt(text, 14, 2);
        if (text[10] != ' ' || text.size() < 16 || text[13] != ':' || hour < 0 || hour > 23 ||
            minute < 0 || minute > 59)
            return std::nullopt;
    }
    return std::int64_t{daysFromCivil(year, month, day)} * 1440 + hour * 60 + minute;
}

std::string isoMinuteText(std::int64_t minutes) {
    const auto days = static_cast<int>(minutes >= 0 ? minutes / 1440 : (minutes - 1439) / 1440);
    const auto inDay = static_cast<int>(minutes - std::int64_t{days} * 1440);
    const CivilDay d = civilFromDays(days);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", d.year, d.month, d.day, inDay / 60,
                  inDay % 60);
    return text;
}

std::string dayText(int days) {
    const CivilDay d = civilFromDays(days);
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", d.day, d.month, d.year);
    return text;
}

std::optional<int> installationDay(const std::array<std::uint8_t, 3>& bcd) {
    const int day = fromBcd(bcd[0]), month = fromBcd(bcd[1]), yy = fromBcd(bcd[2]);
    if (day < 0 || month < 0 || yy < 0) return std::nullopt;
    // Two-digit years: the recorders were made from the 1990s on.
    const int year = yy >= 90 ? 1900 + yy : 2000 + yy;
    if (!validDate(year, month, day)) return std::nullopt;
    return daysFromCivil(year, month, day);
}

DesignLife computeDesignLife(std::vector<LifePoint> points, double normative,
                             std::optional<int> installDay) {
    DesignLife life;
    life.normative = normative > 0 ? normative : 0;
    if (points.empty()) return life;
    std::stable_sort(points.begin(), points.end(),
                     [](const LifePoint& a, const LifePoint& b) { return a.minutes < b.minutes; });
    const LifePoint& last = points.back();
    life.current = last.characteristicNumber;
    if (life.normative <= 0) {
        life.method = LifeMethod::NoNormative;
        return life;
    }
    life.usedShare = life.current / life.normative;

    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].characteristicNumber < points[i - 1].characteristicNumber) {
            life.method = LifeMethod::Falling;
            return life;
        }
    }
    if (life.current >= life.normative) {
        life.method = LifeMethod::Reached;
        return life;
    }

    const double lastDay = static_cast<double>(last.minutes) / 1440.0;
    const bool spansTime = points.front().minutes != last.minutes;
    if (points.size() >= 2 && spansTime) {
        double meanX = 0, meanY = 0;
        for (const LifePoint& p : points) {
            meanX += static_cast<double>(p.minutes) / 1440.0;
            meanY += p.characteristicNumber;
        }
        meanX /= static_cast<double>(points.size());
        meanY /= static_cast<double>(points.size());
        double sxy = 0, sxx = 0;
        for (const LifePoint& p : points) {
            const double dx = static_cast<double>(p.minutes) / 1440.0 - meanX;
            sxy += dx * (p.characteristicNumber - meanY);
            sxx += dx * dx;
        }
        life.method = LifeMethod::LeastSquares;
        life.ratePerDay = sxy / sxx;
    } else if (installDay && lastDay > *installDay) {
        life.method = LifeMethod::SinceInstallation;
        // A recorder starts counting at zero on the day it is installed.
        life.ratePerDay = life.current / (lastDay - *installDay);
    } else {
        life.method = LifeMethod::NoRate;
        return life;
    }
    if (!(life.ratePerDay > 0)) {
        life.method = LifeMethod::NoRate;
        life.ratePerDay = 0;
        return life;
    }
    const double daysLeft = (life.normative - life.current) / life.ratePerDay;
    // Beyond year 2999 a date means nothing; the crane simply outlives the projection.
    const double projected = std::floor(lastDay + daysLeft);
    if (projected < daysFromCivil(3000, 1, 1)) life.projectedDay = static_cast<int>(projected);
    return life;
}

const char* methodKey(LifeMethod method) {
    switch (method) {
        case LifeMethod::LeastSquares:
            return "least-squares";
        case LifeMethod::SinceInstallation:
            return "since-installation";
        case LifeMethod::NoNormative:
            return "no-normative";
        case LifeMethod::Falling:
            return "falling";
        case LifeMethod::NoRate:
            return "no-rate";
        case LifeMethod::Reached:
            return "reached";
    }
    return "no-rate";
}

std::string methodCaption(const DesignLife& life, std::size_t readings) {
    switch (life.method) {
        case LifeMethod::LeastSquares:
            return "по " + std::to_string(readings) + " считываниям (МНК)";
        case LifeMethod::SinceInstallation:
            return "от даты установки";
        case LifeMethod::NoNormative:
            return "нет нормативного числа для группы";
        case LifeMethod::Falling:
            return "число уменьшилось (заменён регистратор?)";
        case LifeMethod::NoRate:
            return "нет роста числа";
        case LifeMethod::Reached:
            return "нормативное число достигнуто";
    }
    return {};
}

}  // namespace archive
