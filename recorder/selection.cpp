#include "recorder/selection.h"

#include <algorithm>
#include <cstdio>

namespace recorder {
namespace {

template <typename Record, typename Predicate>
Selection scan(const std::vector<Record>& table, int loaded, Predicate keep) {
    Selection s;
    s.entries.assign(table.size(), -1);
    const int n = std::clamp(loaded, 0, static_cast<int>(table.size()));
    for (int i = 0; i < n; ++i) {
        const Record& r = table[static_cast<std::size_t>(i)];
        if (keep(r)) s.entries[static_cast<std::size_t>(s.count++)] = r.Number;
    }
    return s;
}

// Slots past the loaded records hold cleared records (number 0), so a range is
// cut at the last loaded one and never lists them.
template <typename Record>
Selection byRange(const std::vector<Record>& table, int loaded, std::int64_t first,
                  std::int64_t last) {
    Selection s;
    s.entries.assign(table.size(), -1);
    const std::int64_t lastLoaded =
        std::min<std::int64_t>(loaded, static_cast<std::int64_t>(table.size())) - 1;
    const std::int64_t from = std::max<std::int64_t>(first, 0);
    const std::int64_t to = std::min(last, lastLoaded);
    if (from > to) {
        s.emptyRange = true;
        return s;
    }
    for (std::int64_t i = from; i <= to; ++i)
        s.entries[static_cast<std::size_t>(s.count++)] = table[static_cast<std::size_t>(i)].Number;
    return s;
}

}  // namespace

std::vector<int> identitySelection(std::size_t tableSize, int identityCount) {
    std::vector<int> list(tableSize, -1);
    const int n = std::clamp(identityCount, 0, static_cast<int>(tableSize));
    for (int i = 0; i < n; ++i) list[static_cast<std::size_t>(i)] = i;
    return list;
}

Selection selectFramesByLoad(const Reading& reading, std::int64_t minLoad) {
    return scan(reading.FrameTable, reading.FrameCount,
                [minLoad](const FrameRecord& f) { return f.LoadPercent >= minLoad; });
}

Selection selectFramesByRange(const Reading& reading, std::int64_t first, std::int64_t last) {
    return byRange(reading.FrameTable, reading.FrameCount, first, last);
}

Selection selectFramesByDate(const Reading& reading, const std::string& ddmmyy) {
    return scan(reading.FrameTable, reading.FrameCount,
                [&ddmmyy](const FrameRecord& f) { return f.Date == ddmmyy; });
}

Selection selectOverloadsByLoad(const Reading& reading, std::int64_t minLoad) {
    return scan(reading.OverloadTable, reading.OverloadCount,
                [minLoad](const OverloadRecord& r) { return r.LoadPercent >= minLoad; });
}

Selection selectOverloadsByRange(const Reading& reading, std::int64_t first, std::int64_t last) {
    return byRange(reading.OverloadTable, reading.OverloadCount, first, last);
}

Selection selectOverloadsByDate(const Reading& reading, const std::string& ddmmyy) {
    return scan(reading.OverloadTable, reading.OverloadCount,
                [&ddmmyy](const OverloadRecord& r) { return r.Date == ddmmyy; });
}

std::string selectionDateText(int day, int month, int year) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%02d", day % 100, month % 100, year % 100);
    return buffer;
}

}  // namespace recorder
