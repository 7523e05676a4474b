// SPDX-License-Identifier: MIT
// RowStyleRing: the ordered ring of row-style rules of a report list, with its current position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvexer::gui {

// A colour as red, green and blue components 0-255.
struct RgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

inline bool operator==(RgbColor a, RgbColor b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(RgbColor a, RgbColor b) {
    return !(a == b);
}

// One rule: rows whose key column holds exactly `key` (GBK bytes, case-sensitive, untrimmed)
// take these colours and this image of the list's image strip.
struct RowStyleRule {
    std::string key;
    RgbColor text;
    RgbColor background;
    int image = 0;
};

// The rules of one list. The ring starts with a default rule (empty key) and keeps the rules
// added afterwards in order; after the last added rule comes the default rule again.
class RowStyleRing {
public:
    // Creates the ring holding only `defaultRule`, which is current.
    explicit RowStyleRing(RowStyleRule defaultRule);

    // Appends a rule after the last one and makes it current.
    void Add(RowStyleRule rule);

    // Searches from the current rule onwards, in ring order, for the first rule whose key equals
    // `key`, and makes it current. Returns it, or nullptr when no rule has that key; the current
    // position then stays where it was.
    const RowStyleRule* Lookup(std::string_view key);

    // Position of the current rule: 0 is the default rule, 1 the first added one.
    std::size_t Current() const { return m_current; }
    std::size_t size() const { return m_rules.size(); }
    const RowStyleRule& operator[](std::size_t position) const { return m_rules[position]; }

private:
    std::vector<RowStyleRule> m_rules;
    std::size_t m_current = 0;
};

}  // namespace korvexer::gui
