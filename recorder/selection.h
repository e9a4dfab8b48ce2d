#pragma once
// Selections of the frame and overload views: which records a view lists.
//
// A selection list has one entry per table slot; an entry holds a record number
// or -1 for an empty entry. The rules are the same for frames and overloads:
// by load (LoadPercent >= M, equality included), by a range of slots (both ends
// included, cut at the last loaded record; a range without a loaded record in
// it selects nothing and leaves the view's list as it was), or by date (the
// record's DD.MM.YY text equals the date).

#include <cstdint>
#include <string>
#include <vector>

#include "recorder/reading.h"

namespace recorder {

struct Selection {
    std::vector<int> entries;  // table-size list, -1 for empty entries
    int count = 0;             // entries filled
    // A range with no loaded record in it (a > b, or wholly past the last
    // loaded record): the view keeps its list and says so.
    bool emptyRange = false;
};

// The list right after a load: entry n = n for n < identityCount, -1 beyond.
std::vector<int> identitySelection(std::size_t tableSize, int identityCount);

// Frames over slots 0 .. FrameCount-1.
Selection selectFramesByLoad(const Reading& reading, std::int64_t minLoad);
// Slots a..b; b is cut at the last loaded frame (FrameCount - 1), a below 0 starts at 0.
Selection selectFramesByRange(const Reading& reading, std::int64_t first, std::int64_t last);
Selection selectFramesByDate(const Reading& reading, const std::string& ddmmyy);

// Overloads over slots 0 .. OverloadCount-1; the range is cut at OverloadCount - 1.
Selection selectOverloadsByLoad(const Reading& reading, std::int64_t minLoad);
Selection selectOverloadsByRange(const Reading& reading, std::int64_t first, std::int64_t last);
Selection selectOverloadsByDate(const Reading& reading, const std::string& ddmmyy);

// "DD.MM.YY" from a calendar date (two digits each).
std::string selectionDateText(int day, int month, int year);

}  // namespace recorder
