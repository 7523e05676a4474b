// SPDX-License-Identifier: MIT
// RowStyleRing: adding rules and the ring-ordered lookup.
#include "gui/controls/row_style_ring.h"

#include <utility>

namespace korvexer::gui {

RowStyleRing::RowStyleRing(RowStyleRule defaultRule) {
    m_rules.push_back(std::move(defaultRule));
}

void RowStyleRing::Add(RowStyleRule rule) {
    m_rules.push_back(std::move(rule));
    m_current = m_rules.size() - 1;
}

const RowStyleRule* RowStyleRing::Lookup(std::string_view key) {
    // The search starts where the previous match was, so rows that share keys with their
    // neighbours are found at once; with duplicate keys the first one met from here wins.
    const std::size_t count = m_rules.size();
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t position = (m_current + step) % count;
        if (m_rules[position].key == key) {
            m_current = position;
            return &m_rules[position];
        }
    }
    return nullptr;
}

}  // namespace korvexer::gui
