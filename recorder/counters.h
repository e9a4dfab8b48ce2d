#pragma once
// The accumulated counters, each taken from the bank that holds the larger
// value. Their texts and the load diagrams are in reading_texts.h.

#include <cstddef>
#include <cstdint>

#include "recorder/datafile.h"
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

}  // namespace recorder
