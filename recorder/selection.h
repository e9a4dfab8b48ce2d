#pragma once
// Selections of the frame and overload views: which records a view lists.
//
// A selection list has one entry per table slot; an entry holds a record number
// or -1 for an empty entry. The rules are the same for frames and overloads:
// by load (LoadPercent >= M, equality included), by a range of slots (both ends
// included; a > b selects nothing and changes nothing on screen), or by date
// (the record's DD.MM.YY text equals the date).

#include <cstdint>
#include <string>
#include <vector>

#include "recorder/reading.h"

namespace recorder {

struct Selection {
    std::vector<int> entries;  // table-size list, -1 for empty entries
    int count = 0;             // entries filled
    bool stopped = false;      // a range with a > b: the view leaves everything else as it was
};

// The list right after a load: entry n = n for n < identityCount, -1 beyond.
std::vector<int> identitySelection(std::size_t tableSize, int identityCount);

// Frames over slots 0 .. FrameCount-1.
Selection selectFramesByLoad(const Reading& reading, std::int64_t minLoad);
// Slots a..b; b is cut at the table's last slot (7292) and a below 0 starts at 0.
Selection selectFramesByRange(const Reading& reading, std::int64_t first, std::int64_t last);
Selection selectFramesByDate(const Reading& reading, const std::string& ddmmyy);

// Overloads over slots 0 .. OverloadCount-1; the range is cut at slot 2599.
Selection selectOverloadsByLoad(const Reading& reading, std::int64_t minLoad);
Selection selectOverloadsByRange(const Reading& reading, std::int64_t first, std::int64_t last);
Selection selectOverloadsByDate(const Reading& reading, const std::string& ddmmyy);

// "DD.MM.YY" from a calendar date (two digits each).
std::string selectionDateText(int day, int month, int year);

}  // namespace recorder
