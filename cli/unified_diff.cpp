// SPDX-License-Identifier: MIT
// Myers' difference algorithm over lines, with the middle snake so that memory stays linear, and
// the hunks of the unified form.
#include "cli/unified_diff.h"

#include <algorithm>
#include <vector>

namespace korvexer::cli {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, stop - start));
        start = stop;
    }
    return lines;
}

// Lines are compared by number: equal lines get equal numbers, so that the inner loop compares
// integers.
struct Numbered {
    std::vector<std::size_t> a, b;
};

Numbered NumberLines(const std::vector<std::string_view>& a,
                     const std::vector<std::string_view>& b) {
    std::vector<std::string_view> sorted(a);
    sorted.insert(sorted.end(), b.begin(), b.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    auto number = [&sorted](std::string_view line) {
        return static_cast<std::size_t>(std::lower_bound(sorted.begin(), sorted.end(), line) -
                                        sorted.begin());
    };
    Numbered numbered;
    for (std::string_view line : a) numbered.a.push_back(number(line));
    for (std::string_view line : b) numbered.b.push_back(number(line));
    return numbered;
}

class Differ {
public:
    Differ(const std::vector<std::size_t>& a, const std::vector<std::size_t>& b)
        : m_a(a), m_b(b), m_deleted(a.size(), false), m_inserted(b.size(), false) {
        const std::size_t size = 2 * (a.size() + b.size()) + 4;
        m_forward.resize(size);
        m_backward.resize(size);
    }

    // Marks the lines of a[aLo, aHi) that go and of b[bLo, bHi) that come.
    void Compare(std::size_t aLo, std::size_t aHi, std::size_t bLo, std::size_t bHi) {
        while (aLo < aHi && bLo < bHi && m_a[aLo] == m_b[bLo]) ++aLo, ++bLo;
        while (aLo < aHi && bLo < bHi && m_a[aHi - 1] == m_b[bHi - 1]) --aHi, --bHi;
        if (aLo == aHi) {
            for (std::size_t j = bLo; j < bHi; ++j) m_inserted[j] = true;
            return;
        }
        if (bLo == bHi) {
            for (std::size_t i = aLo; i < aHi; ++i) m_deleted[i] = true;
            return;
        }
        const Snake snake = MiddleSnake(aLo, aHi, bLo, bHi);
        Compare(aLo, snake.x, bLo, snake.y);
        Compare(snake.u, aHi, snake.v, bHi);
    }

    const std::vector<bool>& deleted() const { return m_deleted; }
    const std::vector<bool>& inserted() const { return m_inserted; }

private:
    struct Snake {
        std::size_t x, y, u, v;  // from (x, y) along equal lines to (u, v)
    };

    // The middle snake of an optimal path through a[aLo, aHi) x b[bLo, bHi), whose first and
    // last lines differ. Diagonal k is stored at k + offset.
    Snake MiddleSnake(std::size_t aLo, std::size_t aHi, std::size_t bLo, std::size_t bHi) {
        const long n = static_cast<long>(aHi - aLo), m = static_cast<long>(bHi - bLo);
        const long delta = n - m;
        const bool odd = (delta & 1) != 0;
        const long maxD = (n + m + 1) / 2;
        const long offset = maxD + 1;
        std::vector<long>& vf = m_forward;
        std::vector<long>& vb = m_backward;  // lines taken from the ends
        vf[static_cast<std::size_t>(1 + offset)] = 0;
        vb[static_cast<std::size_t>(1 + offset)] = 0;
        auto a = [&](long x) { return m_a[aLo + static_cast<std::size_t>(x)]; };
        auto b = [&](long y) { return m_b[bLo + static_cast<std::size_t>(y)]; };
        auto at = [offset](std::vector<long>& v, long k) -> long& {
            return v[static_cast<std::size_t>(k + offset)];
        };
        for (long d = 0; d <= maxD; ++d) {
            for (long k = -d; k <= d; k += 2) {
                long x = (k == -d || (k != d && at(vf, k - 1) < at(vf, k + 1))) ? at(vf, k + 1)
                                                                                : at(vf, k - 1) + 1;
                long y = x - k;
                const long x0 = x, y0 = y;
                while (x < n && y < m && a(x) == b(y)) ++x, ++y;
                at(vf, k) = x;
                const long back = delta - k;
                if (odd && back >= -(d - 1) && back <= d - 1 && x + at(vb, back) >= n)
                    return Make(aLo, bLo, x0, y0, x, y);
            }
            for (long k = -d; k <= d; k += 2) {
                long x = (k == -d || (k != d && at(vb, k - 1) < at(vb, k + 1))) ? at(vb, k + 1)
                                                                                : at(vb, k - 1) + 1;
                long y = x - k;
                const long x0 = x, y0 = y;
                while (x < n && y < m && a(n - x - 1) == b(m - y - 1)) ++x, ++y;
                at(vb, k) = x;
                const long forward = delta - k;
                if (!odd && forward >= -d && forward <= d && x + at(vf, forward) >= n)
                    return Make(aLo, bLo, n - x, m - y, n - x0, m - y0);
            }
        }
        return Make(aLo, bLo, 0, 0, 0, 0);  // not reached: the paths meet by maxD
    }

    static Snake Make(std::size_t aLo, std::size_t bLo, long x, long y, long u, long v) {
        return {aLo + static_cast<std::size_t>(x), bLo + static_cast<std::size_t>(y),
                aLo + static_cast<std::size_t>(u), bLo + static_cast<std::size_t>(v)};
    }

    const std::vector<std::size_t>& m_a;
    const std::vector<std::size_t>& m_b;
    std::vector<bool> m_deleted, m_inserted;
    std::vector<long> m_forward, m_backward;
};

enum class Op { Equal, Delete, Insert };

struct Step {
    Op op;
    std::size_t oldLine, newLine;  // the line the step takes, or the next one
};

std::string Range(std::size_t start, std::size_t count) {
    // An empty range names the line before it.
    std::string text = std::to_string(count == 0 ? start : start + 1);
    if (count != 1) text += "," + std::to_string(count);
    return text;
}

void AppendLine(std::string& out, char mark, std::string_view line) {
    out += mark;
    out += line;
    if (line.empty() || line.back() != '\n') out += "\n\\ No newline at end of file\n";
}

}  // namespace

std::string UnifiedDiff(std::string_view oldText, std::string_view newText,
                        std::string_view oldName, std::string_view newName, std::size_t context) {
    if (oldText == newText) return {};
    return "--- " + std::string(oldName) + "\n+++ " + std::string(newName) + "\n" +
           UnifiedDiffHunks(oldText, newText, context);
}

std::string UnifiedDiffHunks(std::string_view oldText, std::string_view newText,
                             std::size_t context) {
    if (oldText == newText) return {};
    const std::vector<std::string_view> a = SplitLines(oldText), b = SplitLines(newText);
    const Numbered numbered = NumberLines(a, b);
    Differ differ(numbered.a, numbered.b);
    differ.Compare(0, a.size(), 0, b.size());

    std::vector<Step> steps;
    for (std::size_t i = 0, j = 0; i < a.size() || j < b.size();) {
        if (i < a.size() && differ.deleted()[i])
            steps.push_back({Op::Delete, i++, j});
        else if (j < b.size() && differ.inserted()[j])
            steps.push_back({Op::Insert, i, j++});
        else
            steps.push_back({Op::Equal, i++, j++});
    }

    std::string out;
    std::size_t next = 0;
    while (next < steps.size()) {
        while (next < steps.size() && steps[next].op == Op::Equal) ++next;
        if (next == steps.size()) break;
        const std::size_t first = next >= context ? next - context : 0;
        // The hunk goes on while the next change comes within twice the context.
        std::size_t last = next;  // the last change in the hunk
        for (std::size_t s = next + 1; s < steps.size(); ++s) {
            if (steps[s].op == Op::Equal) {
                if (s - last > 2 * context) break;
                continue;
            }
            last = s;
        }
        const std::size_t end = std::min(steps.size(), last + 1 + context);
        std::size_t oldCount = 0, newCount = 0;
        for (std::size_t s = first; s < end; ++s) {
            if (steps[s].op != Op::Insert) ++oldCount;
            if (steps[s].op != Op::Delete) ++newCount;
        }
        out += "@@ -" + Range(steps[first].oldLine, oldCount) + " +" +
               Range(steps[first].newLine, newCount) + " @@\n";
        for (std::size_t s = first; s < end; ++s) {
            switch (steps[s].op) {
                case Op::Equal:
                    AppendLine(out, ' ', a[steps[s].oldLine]);
                    break;
                case Op::Delete:
                    AppendLine(out, '-', a[steps[s].oldLine]);
                    break;
                case Op::Insert:
                    AppendLine(out, '+', b[steps[s].newLine]);
                    break;
            }
        }
        next = end;
    }
    return out;
}

}  // namespace korvexer::cli
