#include "simulation/sample_reading/crane_work.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sample {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int kShiftStart = 8 * 3600;
constexpr int kLunchStart = 12 * 3600;
constexpr int kLunchEnd = 13 * 3600;
constexpr int kShiftEnd = 17 * 3600;

// Telescopic boom: fully retracted and the three extensions in use on site.
constexpr std::array<double, 4> kBoomLengths = {9.7, 13.7, 17.7, 21.7};
// Slewing axis to boom foot, added to the boom's horizontal reach.
constexpr double kFootOffset = 0.5;

// Discrete inputs 1: which mechanism the operator is driving.
constexpr std::uint8_t kHoistUp = 0x01, kHoistDown = 0x02, kSlewLeft = 0x04, kSlewRight = 0x08,
                       kBoomUp = 0x10, kBoomDown = 0x20, kTelescopeOut = 0x40, kTelescopeIn = 0x80;
// Discrete inputs 2: outriggers set, engine running.
constexpr std::uint8_t kOutriggersEngine = 0x03;
// Coordinate protection, entered limits (bits 0..3); the triggered bit is four higher.
constexpr std::uint8_t kWall = 0x01, kCeiling = 0x02, kLeft = 0x04, kRight = 0x08;
// Relay outputs: ready, warning at 90 %, cut-off at 105 % or at a triggered limit, wind alarm.
constexpr std::uint8_t kReady = 0x01, kWarning = 0x02, kCutOff = 0x04, kWindAlarm = 0x08;

// Mean outdoor temperature by month.
constexpr std::array<int, 12> kMonthTemperature = {-10, -9, -3, 6, 13, 18, 20, 18, 12, 5, -2, -7};

// Share of past load cycles per band of M: mostly light and medium loads.
constexpr std::array<double, 15> kBandShare = {8, 14, 15,  14,  12,  10,   8,   6,
                                               4, 3,  1.2, 0.5, 0.2, 0.08, 0.03};

int bandOf(int percent) {
    return percent >= 140 ? 14 : percent / 10;
}

double bandMidpoint(int band) {
    return (10.0 * band + 5.0) / 100.0;
}

// The crane's characteristic number: the sum over load cycles of the cubed load ratio.
float characteristicNumber(const std::array<std::uint32_t, 15>& cycles) {
    double sum = 0;
    for (int i = 0; i < 15; ++i) {
        const double k = bandMidpoint(i);
        sum += cycles[static_cast<std::size_t>(i)] * k * k * k;
    }
    return static_cast<float>(sum);
}

std::int16_t hundredths(double v) {
    return static_cast<std::int16_t>(std::lround(v * 100));
}
std::int16_t tenths(double v) {
    return static_cast<std::int16_t>(std::lround(v * 10));
}

class Simulator {
  public:
    Simulator(const CraneWorkPlan& plan, Prng& rng) : plan_(plan), rng_(rng) {}

    CraneWork run() {
        pastCounters();
        startDay(workingDayFrom(dayNumber(plan_.firstDay)));
        work_.firstDay = dateOf(day_);
        const auto target = static_cast<std::size_t>(plan_.frameCount);
        while (work_.frames.size() < target) {
            const recorder::Counters atStart = counters_;
            loadCycle();
            if (work_.frames.size() > target) {
                // The last cycle was cut by the end of the reading: it is not counted.
                work_.frames.resize(target);
                frameTimes_.resize(target);
                counters_ = atStart;
                pendingOverload_ = false;
                break;
            }
            if (pendingOverload_) work_.overloads.push_back(overload_);
            pendingOverload_ = false;
            ++work_.cycles;
            snapshots_.push_back(counters_);
            if (snapshots_.size() > static_cast<std::size_t>(plan_.bank1Lag) + 1)
                snapshots_.erase(snapshots_.begin());
        }
        // The engine time of the last day, up to the last frame kept.
        const auto [lastDay, lastSecond] = frameTimes_.back();
        int firstSecond = lastSecond;
        for (auto it = frameTimes_.rbegin(); it != frameTimes_.rend() && it->first == lastDay; ++it)
            firstSecond = it->second;
        counters_.MotorMinutes += static_cast<std::uint32_t>((lastSecond - firstSecond) / 60 + 15);
        work_.lastDay = dateOf(lastDay);
        work_.lastMinuteOfDay = lastSecond / 60;

        counters_.CharacteristicNumber = characteristicNumber(counters_.LoadCycles);
        work_.bank0 = counters_;
        work_.bank1 = counters_;
        if (plan_.bank1Lag > 0 && snapshots_.size() > static_cast<std::size_t>(plan_.bank1Lag)) {
            work_.bank1 = snapshots_.front();
            work_.bank1.CharacteristicNumber = characteristicNumber(work_.bank1.LoadCycles);
        }
        return std::move(work_);
    }

  private:
    // Counters of the crane's life before the frames in memory.
    void pastCounters() {
        const double past = std::max(0, plan_.pastCycles);
        double shares = 0;
        for (double s : kBandShare) shares += s;
        std::uint32_t total = 0;
        double mass = 0;
        for (std::size_t i = 0; i < 15; ++i) {
            const auto n = static_cast<std::uint32_t>(past * kBandShare[i] / shares);
            counters_.LoadCycles[i] = n;
            counters_.WorkCycles[i] = static_cast<std::uint32_t>(n * rng_.real(0.86, 0.94));
            total += n;
            mass += n * bandMidpoint(static_cast<int>(i)) * 7.5;  // t, at a typical capacity
        }
        counters_.TotalCycles = static_cast<std::int32_t>(total);
        counters_.WinchSeconds = static_cast<std::int32_t>(past * rng_.real(38, 46));
        counters_.SlewSeconds = static_cast<std::int32_t>(past * rng_.real(20, 28));
        counters_.BoomAngleSeconds = static_cast<std::int32_t>(past * rng_.real(8, 12));
        counters_.BoomLengthSeconds = static_cast<std::int32_t>(past * rng_.real(2, 4));
        counters_.MotorMinutes = static_cast<std::uint32_t>(past * rng_.real(2.8, 3.6));
        counters_.LiftedMass = static_cast<std::int32_t>(mass * 100);
    }

    void startDay(int day) {
        day_ = day;
        sec_ = kShiftStart + rng_.uniform(0, 1500);
        dayFirstSecond_ = -1;
        const CivilDate date = dateOf(day_);
        dayTemperature_ =
            kMonthTemperature[static_cast<std::size_t>(date.month - 1)] + rng_.real(-3, 3);
        dayWind_ = rng_.real(1, 8);
        wind_ = dayWind_;
        length_ = kBoomLengths[static_cast<std::size_t>(rng_.uniform(0, 3))];
        angle_ = rng_.real(30, 70);
        if (rng_.chance(0.2)) {
            reeving_ = 2;
            mode_ = 2;
        } else {
            reeving_ = 4;
            mode_ = 1;
        }
        entered_ = 0;
    }

    // Engine time of the day: from a little before the first frame to a little after the last.
    void closeDay() {
        if (dayFirstSecond_ >= 0)
            counters_.MotorMinutes +=
                static_cast<std::uint32_t>((lastFrameSecond_ - dayFirstSecond_) / 60 + 15);
    }

    void loadCycle() {
        if (sec_ >= kShiftEnd - 20 * 60) {
            closeDay();
            startDay(workingDayFrom(day_ + 1));
        } else if (sec_ >= kLunchStart - 10 * 60 && sec_ < kLunchEnd) {
            sec_ = kLunchEnd + rng_.uniform(0, 600);
        }
        if (rng_.chance(0.06)) chooseLimits();
        if (rng_.chance(0.05)) telescope();
        if (rng_.chance(0.004)) {
            faultFrames_ = rng_.uniform(1, 3);
            constexpr std::array<std::uint8_t, 4> kCodes = {3, 7, 12, 21};
            faultCode_ = kCodes[static_cast<std::size_t>(rng_.uniform(0, 3))];
        }

        // Where the load is picked up and where it goes.
        const double pickAz = az_ + rng_.real(-60, 60);
        const double placeAz = pickAz + (rng_.chance(0.5) ? 1 : -1) * rng_.real(40, 160);
        const double pickAngle = rng_.real(25, 72);
        double placeAngle = std::clamp(pickAngle + rng_.real(-15, 15), 15.0, 75.0);
        const double target = targetPercent();
        const double mass = std::max(
            0.1,
            std::round(target / 100 * ratedCapacity(radiusAt(pickAngle), length_, reeving_) * 20) /
                20);
        // The operator does not luff a load out beyond the chart: the limiter would stop it.
        if (100 * mass / ratedCapacity(radiusAt(placeAngle), length_, reeving_) >
            std::max(target, 95.0))
            placeAngle = pickAngle;
        peak_ = 0;

        slew(pickAz, pickAngle, 0, 4);  // empty hook to the load
        mass_ = 0.3 * mass;
        emit(kHoistUp, rng_.uniform(4, 8));  // slings taking up
        mass_ = 0.85 * mass;
        emit(kHoistUp, rng_.uniform(4, 8));
        mass_ = mass;
        loaded_ = true;
        for (int n = rng_.uniform(1, 3); n > 0; --n) {
            if (n == 1 && (entered_ & kCeiling) && rng_.chance(0.12)) triggered_ |= kCeiling << 4;
            emit(kHoistUp, rng_.uniform(5, 10));
        }
        slew(placeAz, placeAngle, mass, 6);
        for (int n = rng_.uniform(1, 3); n > 0; --n) emit(kHoistDown, rng_.uniform(5, 10));
        loaded_ = false;
        mass_ = 0.4 * mass;
        emit(kHoistDown, rng_.uniform(4, 7));
        mass_ = 0;
        emit(kHoistDown, rng_.uniform(4, 7));
        sec_ += rng_.uniform(20, 240);  // slinging the next load

        const int band = bandOf(peak_);
        counters_.LoadCycles[static_cast<std::size_t>(band)] += 1;
        counters_.WorkCycles[static_cast<std::size_t>(band)] += 1;
        counters_.TotalCycles += 1;
        counters_.LiftedMass += static_cast<std::int32_t>(std::lround(mass * 100));
    }

    // Slews to an azimuth while luffing to a boom angle, a frame every few seconds.
    void slew(double toAz, double toAngle, double mass, int maxFrames) {
        const double dAz = toAz - az_;
        const double dAngle = toAngle - angle_;
        const int frames = std::clamp(1 + static_cast<int>(std::abs(dAz) / 30), 1, maxFrames);
        std::uint8_t moves = dAz < 0 ? kSlewLeft : kSlewRight;
        if (std::abs(dAngle) > 0.5) moves |= dAngle > 0 ? kBoomUp : kBoomDown;
        const double stepAz = dAz / frames;
        const double stepAngle = dAngle / frames;
        for (int i = 0; i < frames; ++i) {
            az_ += stepAz;
            angle_ += stepAngle;
            if (i == frames - 1 && mass > 0) {
                if ((entered_ & kLeft) && dAz < 0 && rng_.chance(0.25)) triggered_ |= kLeft << 4;
                if ((entered_ & kRight) && dAz > 0 && rng_.chance(0.25)) triggered_ |= kRight << 4;
                if ((entered_ & kWall) && dAngle < 0 && rng_.chance(0.2)) triggered_ |= kWall << 4;
            }
            const int dt =
                std::max(4, static_cast<int>(std::abs(stepAz) / 2.5) + rng_.uniform(1, 3));
            emit(moves, dt);
        }
    }

    // Extends or retracts the boom with an empty hook.
    void telescope() {
        const double to = kBoomLengths[static_cast<std::size_t>(rng_.uniform(0, 3))];
        if (to == length_) return;
        const std::uint8_t moves = to > length_ ? kTelescopeOut : kTelescopeIn;
        const int seconds = static_cast<int>(std::abs(to - length_) / 0.15);
        length_ = (length_ + to) / 2;
        emit(moves, seconds / 2);
        length_ = to;
        emit(moves, seconds - seconds / 2);
    }

    // The operator sets the coordinate protection for the next stretch of work.
    void chooseLimits() {
        constexpr std::array<std::uint8_t, 6> kSets = {
            kWall, kCeiling, kLeft | kRight, kCeiling | kLeft | kRight, kWall | kCeiling, 0};
        entered_ = rng_.chance(0.4) ? 0 : kSets[static_cast<std::size_t>(rng_.uniform(0, 5))];
    }

    // The load ratio the operator works at: mostly medium, now and then above the rating.
    double targetPercent() {
        const double u = rng_.real();
        if (u < 0.015) return rng_.real(126, 148);
        if (u < 0.05) return rng_.real(100, 124);
        return 10 + 85 * (rng_.real() + rng_.real()) / 2;
    }

    double radiusAt(double angle) const {
        return length_ * std::cos(angle * kPi / 180) + kFootOffset;
    }

    void emit(std::uint8_t moves, int dt) {
        if (dayFirstSecond_ < 0) dayFirstSecond_ = sec_;
        const CivilDate date = dateOf(day_);
        const int hour = sec_ / 3600;
        const double radius = radiusAt(angle_);
        const double capacity = ratedCapacity(radius, length_, reeving_);
        const int percent =
            std::clamp(static_cast<int>(std::lround(100 * mass_ / capacity)), 0, 255);
        wind_ = std::clamp(wind_ + rng_.real(-0.4, 0.4) + 0.1 * (dayWind_ - wind_), 0.0, 16.0);
        double az = std::fmod(az_, 360.0);
        if (az < 0) az += 360;

        FrameFields f;
        f.at(date.day, date.month, date.year, hour, sec_ / 60 % 60, sec_ % 60);
        f.boomAngle = hundredths(angle_);
        f.boomLength = hundredths(length_);
        f.radius = hundredths(radius);
        f.pressure = tenths(25 + 1.6 * mass_ * radius + 1.2 * length_ + rng_.real(-1, 1));
        f.loadMass = hundredths(mass_ > 0 ? mass_ + rng_.real(-0.02, 0.02) : 0);
        f.azimuth = static_cast<std::uint16_t>(std::lround(az * 10) % 3600);
        f.wind = static_cast<std::uint16_t>(std::lround(wind_ * 10));
        f.kos = entered_ ? 0x01 : 0x00;
        f.temperature = static_cast<std::int8_t>(
            std::lround(dayTemperature_ + 4 * std::sin(kPi * (sec_ / 3600.0 - 8) / 9)));
        f.reeving = static_cast<std::int8_t>(reeving_);
        f.mode = static_cast<std::int8_t>(mode_);
        f.loadPercent = static_cast<std::uint8_t>(percent);
        f.relays = kReady;
        if (percent >= 90) f.relays |= kWarning;
        if (percent >= 105 || triggered_) f.relays |= kCutOff;
        if (wind_ >= 10) f.relays |= kWindAlarm;
        f.limits = static_cast<std::uint8_t>(entered_ | triggered_);
        f.inputs1 = moves;
        f.inputs2 = kOutriggersEngine;
        if (faultFrames_ > 0) {
            f.faultCode = faultCode_;
            --faultFrames_;
        }
        work_.frames.push_back(f);
        frameTimes_.emplace_back(day_, sec_);
        triggered_ = 0;
        lastFrameSecond_ = sec_;

        if (loaded_ && percent > peak_) {
            peak_ = percent;
            if (percent >= 125) {
                pendingOverload_ = true;
                overload_ = {radius, capacity, percent, date, mode_};
            }
        }
        if (moves & (kHoistUp | kHoistDown)) counters_.WinchSeconds += dt;
        if (moves & (kSlewLeft | kSlewRight)) counters_.SlewSeconds += dt;
        if (moves & (kBoomUp | kBoomDown)) counters_.BoomAngleSeconds += dt;
        if (moves & (kTelescopeOut | kTelescopeIn)) counters_.BoomLengthSeconds += dt;
        sec_ += dt;
    }

    const CraneWorkPlan& plan_;
    Prng& rng_;
    CraneWork work_;
    recorder::Counters counters_;
    std::vector<recorder::Counters> snapshots_;
    std::vector<std::pair<int, int>> frameTimes_;  // day number and second of each frame

    int day_ = 0, sec_ = 0;
    int dayFirstSecond_ = -1, lastFrameSecond_ = 0;
    double dayTemperature_ = 0, dayWind_ = 0, wind_ = 0;
    double az_ = 0, angle_ = 45, length_ = 9.7, mass_ = 0;
    int reeving_ = 4, mode_ = 1;
    std::uint8_t entered_ = 0, triggered_ = 0;
    int faultFrames_ = 0;
    std::uint8_t faultCode_ = 0;
    bool loaded_ = false;
    int peak_ = 0;
    bool pendingOverload_ = false;
    OverloadEvent overload_;
};

}  // namespace

double ratedCapacity(double radius, double boomLength, int reeving) {
    const double maximum = reeving >= 4 ? 25.0 : 12.5;
    const double byMoment = 70.0 / std::max(radius - 0.5, 0.5) * (1 - 0.02 * (boomLength - 9.7));
    return std::max(0.5, std::min(maximum, byMoment));
}

CraneWork simulateCraneWork(const CraneWorkPlan& plan, Prng& rng) {
    return Simulator(plan, rng).run();
}

}  // namespace sample
