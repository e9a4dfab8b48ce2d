#pragma once
// A small deterministic generator (splitmix64). The standard distributions differ
// between library implementations, so the sample readings draw only from this,
// and the same seed gives the same bytes everywhere.

#include <cstdint>

namespace sample {

class Prng {
  public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double real() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double real(double lo, double hi) { return lo + (hi - lo) * real(); }
    // Uniform integer in [lo, hi].
    int uniform(int lo, int hi) {
        const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
        return lo + static_cast<int>(next() % span);
    }
    bool chance(double p) { return real() < p; }

  private:
    std::uint64_t state_;
};

}  // namespace sample
