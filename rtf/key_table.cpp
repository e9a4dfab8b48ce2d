#include "rtf/detail/key_table.h"

#include <functional>

#include "rtf/detail/markers.h"

namespace RepoRTF_interface::detail {

std::size_t KeyTable::slotOf(std::string_view key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = std::hash<std::string_view>{}(key)&mask;
    while (slots_[slot] != kNone && this->key(slots_[slot]) != key) slot = (slot + 1) & mask;
    return slot;
}

void KeyTable::grow() {
    slots_.assign(slots_.empty() ? 64 : slots_.size() * 2, kNone);
    for (std::uint32_t n = 0; n < keys_.size(); ++n) slots_[slotOf(key(n))] = n;
}

void KeyTable::add(std::string_view key) {
    if (2 * (keys_.size() + 1) > slots_.size()) grow();
    const std::size_t slot = slotOf(key);
    if (slots_[slot] != kNone) return;
    slots_[slot] = static_cast<std::uint32_t>(keys_.size());
    KeyState& added = keys_.emplace_back();
    added.keyOffset = static_cast<std::uint32_t>(key.data() - data_.data());
    added.keyLength = static_cast<std::uint32_t>(key.size());
}

std::uint32_t KeyTable::find(std::string_view key) const {
    return slots_.empty() ? kNone : slots_[slotOf(key)];
}

std::uint32_t KeyTable::findName(std::string_view name) const {
    if (name.find(kEscapeMark) == std::string_view::npos) return find(name);
    return find(unescaped(name));
}

}  // namespace RepoRTF_interface::detail
