// SPDX-License-Identifier: MIT
// The test of a needle at one place.
#include "core/scanner/row_needles.h"

#include "core/scanner/source_text.h"

namespace korvexer {

bool NeedleCountsAt(std::string_view buffer, const std::vector<Needle>& needles, std::size_t at) {
    // Bytes that differ only in bit 0x20 are equal where case does not count.
    auto equalAt = [&](std::size_t from, const std::string& text, bool foldCase) {
        if (from > buffer.size() || buffer.size() - from < text.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (foldCase ? (buffer[from + i] | 0x20) != (text[i] | 0x20)
                         : buffer[from + i] != text[i])
                return false;
        return true;
    };
    for (const Needle& needle : needles) {
        if (!equalAt(at, needle.text, needle.foldCase)) continue;
        if (needle.followers.empty() && needle.followerWords.empty()) return true;
        std::size_t next = at + needle.text.size();
        while (next < buffer.size() && source_text::IsBlank(buffer[next])) ++next;
        if (next == buffer.size()) continue;
        // A plain loop: the followers are few, and a search call costs more than looking.
        for (const char follower : needle.followers)
            if (follower == buffer[next]) return true;
        for (const std::string& word : needle.followerWords)
            if (equalAt(next, word, true)) return true;
    }
    return false;
}

std::vector<Needle> NeedlesOfWords(const std::vector<std::string>& words) {
    std::vector<Needle> needles;
    for (const std::string& word : words) needles.push_back({word, "", true});
    return needles;
}

}  // namespace korvexer
