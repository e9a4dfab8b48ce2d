#pragma once
// The finished texts of the main window's displays, keyed by display name
// ("Edit_NKran", "Label_RezhA" ...), and the gauge values ("CGauge_N10" ...).
//
// The decoders write here; the window, the reports, the forms and the
// command-line tool all read the same texts, so each shows exactly what the
// others show. Names keep the order in which they were first set.

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace recorder {

template <typename Value>
class NamedValues {
  public:
    void set(std::string_view name, Value value) {
        auto it = index_.find(std::string(name));
        if (it == index_.end()) {
            index_.emplace(std::string(name), entries_.size());
            entries_.emplace_back(std::string(name), std::move(value));
        } else {
            entries_[it->second].second = std::move(value);
        }
    }
    // The value of a name, or a default-constructed value when the name was never set.
    const Value& get(std::string_view name) const {
        static const Value kNone{};
        auto it = index_.find(std::string(name));
        return it == index_.end() ? kNone : entries_[it->second].second;
    }
    bool contains(std::string_view name) const { return index_.count(std::string(name)) != 0; }
    const std::vector<std::pair<std::string, Value>>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }

  private:
    std::vector<std::pair<std::string, Value>> entries_;
    std::unordered_map<std::string, std::size_t> index_;
};

using DisplayTexts = NamedValues<std::string>;
using GaugeValues = NamedValues<int>;

}  // namespace recorder
