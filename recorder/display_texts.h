#pragma once
// The finished texts of the main window's displays, keyed by display name
// ("Edit_NKran", "Label_RezhA" ...), and the gauge values ("CGauge_N10" ...).
// Only the displays of recorder/display_table.h have a value: writing or reading
// any other name throws std::logic_error, so a misspelt name fails at once.
//
// The decoders write here; the window, the reports, the forms and the
// command-line tool all read the same texts, so each shows exactly what the
// others show. Names keep the order in which they were first set.

#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "recorder/display_table.h"

namespace recorder {

template <typename Value>
class NamedValues {
  public:
    void set(const Display& display, Value value) { set(display.name, std::move(value)); }
    void set(std::string_view name, Value value) {
        requireKind(name);
        auto it = index_.find(std::string(name));
        if (it == index_.end()) {
            index_.emplace(std::string(name), entries_.size());
            entries_.emplace_back(std::string(name), std::move(value));
        } else {
            entries_[it->second].second = std::move(value);
        }
    }
    // The value of a name, or a default-constructed value when the name was never set.
    const Value& get(const Display& display) const { return get(display.name); }
    const Value& get(std::string_view name) const {
        requireKind(name);
        static const Value kNone{};
        auto it = index_.find(std::string(name));
        return it == index_.end() ? kNone : entries_[it->second].second;
    }
    bool contains(std::string_view name) const { return index_.count(std::string(name)) != 0; }
    const std::vector<std::pair<std::string, Value>>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }

  private:
    // Texts go to edit boxes and labels, numbers to gauges.
    static void requireKind(std::string_view name) {
        const bool gauge = displayNamed(name).kind == DisplayKind::Gauge;
        if (gauge != std::is_same_v<Value, int>)
            throw std::logic_error("display \"" + std::string(name) + "\" is of another kind");
    }

    std::vector<std::pair<std::string, Value>> entries_;
    std::unordered_map<std::string, std::size_t> index_;
};

using DisplayTexts = NamedValues<std::string>;
using GaugeValues = NamedValues<int>;

}  // namespace recorder
