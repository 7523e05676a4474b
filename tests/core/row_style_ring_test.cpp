// SPDX-License-Identifier: MIT
// Tests of the row-style ring: lookup order, current position, duplicate keys.
#include "core/app/row_style_ring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/list/list_texts.h"

namespace korvexer {
namespace {

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kWhite{255, 255, 255};
constexpr RgbColor kRed{255, 0, 0};

RowStyleRing RingWithKeys(const std::vector<std::string>& keys) {
    RowStyleRing ring(RowStyleRule{"", kBlack, kWhite, 0});
    int image = 1;
    for (const std::string& key : keys) ring.Add(RowStyleRule{key, kBlack, kRed, image++});
    return ring;
}

TEST(RowStyleRingLookup, MissLeavesCurrentPositionAndFindsNothing) {
    RowStyleRing ring = RingWithKeys({"a", "b"});
    ASSERT_EQ(ring.Current(), 2u);
    EXPECT_EQ(ring.Lookup("c"), nullptr);
    EXPECT_EQ(ring.Current(), 2u);
    // Case and blanks matter.
    EXPECT_EQ(ring.Lookup("A"), nullptr);
    EXPECT_EQ(ring.Lookup("a "), nullptr);
    EXPECT_EQ(ring.Current(), 2u);
}

TEST(RowStyleRingLookup, FreshRingHoldsOnlyTheDefaultRule) {
    RowStyleRing ring(RowStyleRule{"", kBlack, kWhite, 0});
    EXPECT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring.Current(), 0u);
    const RowStyleRule* rule = ring.Lookup("");
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->background, kWhite);
    EXPECT_EQ(ring.Lookup("x"), nullptr);
}

TEST(RowStyleRingLookup, MatchMovesCurrentPositionThroughTheRing) {
    // Ring: default "", then "a", "b", "c"; each lookup starts from the last match.
    RowStyleRing ring = RingWithKeys({"a", "b", "c"});
    struct Step {
        const char* key;
        int image;  // -1: no match
        std::size_t current;
    };
    const Step steps[] = {
        {"a", 1, 1},    // from "c" wraps over the default rule to "a"
        {"c", 3, 3},    // forwards
        {"b", 2, 2},    // wraps all the way round
        {"", 0, 0},     // the default rule's empty key
        {"zz", -1, 0},  // a miss keeps the default rule current
        {"a", 1, 1},
    };
    for (const Step& step : steps) {
        const RowStyleRule* rule = ring.Lookup(step.key);
        if (step.image < 0) {
            EXPECT_EQ(rule, nullptr) << step.key;
        } else {
            ASSERT_NE(rule, nullptr) << step.key;
            EXPECT_EQ(rule->image, step.image) << step.key;
        }
        EXPECT_EQ(ring.Current(), step.current) << step.key;
    }
}

TEST(RowStyleRingLookup, DuplicateEmptyKeyOfTheCallListAlwaysGivesTheAddedRule) {
    // The call list's rules: "替换", "未知" and an added empty key next to the default empty key.
    RowStyleRing ring(RowStyleRule{"", kBlack, kRed, 0});
    ring.Add(RowStyleRule{std::string(texts::kStateReplace), kBlack, RgbColor{220, 220, 156}, 0});
    ring.Add(RowStyleRule{std::string(texts::kStateUnknown), kBlack, kRed, 0});
    ring.Add(RowStyleRule{"", kBlack, kWhite, 1});
    const std::vector<std::string> states = {"",
                                             std::string(texts::kStateReplace),
                                             "",
                                             std::string(texts::kStateUnknown),
                                             "",
                                             "other",
                                             "",
                                             std::string(texts::kStateUnknown),
                                             std::string(texts::kStateReplace),
                                             ""};
    for (const std::string& state : states) {
        const RowStyleRule* rule = ring.Lookup(state);
        if (state == "other") {
            EXPECT_EQ(rule, nullptr);
            continue;
        }
        ASSERT_NE(rule, nullptr);
        if (state.empty()) {
            EXPECT_EQ(rule->image, 1);
            EXPECT_EQ(rule->background, kWhite);
            EXPECT_EQ(ring.Current(), 3u);
        }
    }
}

TEST(RowStyleRingLookup, DuplicateKeyFoundFirstFromCurrentPositionWins) {
    // Two rules keyed "k" at positions 1 and 3: which one answers depends on where we stand.
    RowStyleRing ring = RingWithKeys({"k", "m", "k"});
    EXPECT_EQ(ring.Lookup("k")->image, 3);  // current is 3 itself
    EXPECT_EQ(ring.Lookup("m")->image, 2);
    EXPECT_EQ(ring.Lookup("k")->image, 3);  // from "m" the later "k" comes first
    EXPECT_EQ(ring.Lookup("")->image, 0);
    EXPECT_EQ(ring.Lookup("k")->image, 1);  // from the default rule the first "k" comes first
}

}  // namespace
}  // namespace korvexer
