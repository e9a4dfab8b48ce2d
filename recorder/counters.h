#pragma once
// The accumulated counters, each taken from the bank that holds the larger
// value, their display texts, and the load-band diagrams.

#include <cstddef>
#include <cstdint>

#include "recorder/datafile.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

// A counter's value from the bank that holds the larger one: Bank 1's value
// replaces Bank 0's only when strictly greater. Integer fields compare as
// signed 32-bit numbers (an erased 0xFFFFFFFF is -1 and never wins); three-byte
// fields widen with a zero high byte, so an erased one is 16777215; a NaN never
// compares greater. `offset` is the field's offset inside a bank.
std::int32_t largerBankI32(const DataFile& file, std::size_t offset);
std::uint32_t largerBankU24(const DataFile& file, std::size_t offset);
float largerBankF32(const DataFile& file, std::size_t offset);

// Every counter, each from the bank that holds the larger value: what the loader
// decodes and what the forms read of a previous reading.
Counters readCounters(const DataFile& file);

// Reads the counters into the model and sets their texts.
void decodeCounters(const DataFile& file, Reading& reading, const NumberFormat& format);

// The texts of the model's counters: the characteristic number, both cycle
// columns and the running totals.
void showCounters(Reading& reading, const NumberFormat& format);

// The four running times, the motor hours and the lifted mass (0.01 t), as the
// counter displays show them: the loaded totals, or the forms' differences.
void showRunningTotals(DisplayTexts& texts, std::int64_t winchSeconds,
                       std::int64_t boomAngleSeconds, std::int64_t boomLengthSeconds,
                       std::int64_t slewSeconds, std::int64_t motorMinutes, std::int64_t liftedMass,
                       const NumberFormat& format);

// Bar values 0..100 of both diagrams, scaled to the largest load-cycle count.
void drawLoadDiagrams(Reading& reading);

}  // namespace recorder
