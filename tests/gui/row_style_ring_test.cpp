// SPDX-License-Identifier: MIT
// Tests of the row-style ring: lookup order, current position, duplicate keys.
#include <QtTest>

#include <string>
#include <vector>

#include "core/list/list_texts.h"
#include "gui/controls/row_style_ring.h"

using korvexer::gui::RgbColor;
using korvexer::gui::RowStyleRing;
using korvexer::gui::RowStyleRule;
namespace texts = korvexer::texts;

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

}  // namespace

class RowStyleRingTest : public QObject {
    Q_OBJECT
private slots:
    void missLeavesCurrentPositionAndFindsNothing();
    void freshRingHoldsOnlyTheDefaultRule();
    void matchMovesCurrentPositionThroughTheRing();
    void duplicateEmptyKeyOfTheCallListAlwaysGivesTheAddedRule();
    void duplicateKeyFoundFirstFromCurrentPositionWins();
};

void RowStyleRingTest::missLeavesCurrentPositionAndFindsNothing() {
    RowStyleRing ring = RingWithKeys({"a", "b"});
    QCOMPARE(ring.Current(), std::size_t{2});
    QCOMPARE(ring.Lookup("c"), nullptr);
    QCOMPARE(ring.Current(), std::size_t{2});
    // Case and blanks matter.
    QCOMPARE(ring.Lookup("A"), nullptr);
    QCOMPARE(ring.Lookup("a "), nullptr);
    QCOMPARE(ring.Current(), std::size_t{2});
}

void RowStyleRingTest::freshRingHoldsOnlyTheDefaultRule() {
    RowStyleRing ring(RowStyleRule{"", kBlack, kWhite, 0});
    QCOMPARE(ring.size(), std::size_t{1});
    QCOMPARE(ring.Current(), std::size_t{0});
    const RowStyleRule* rule = ring.Lookup("");
    QVERIFY(rule != nullptr);
    QVERIFY(rule->background == kWhite);
    QCOMPARE(ring.Lookup("x"), nullptr);
}

void RowStyleRingTest::matchMovesCurrentPositionThroughTheRing() {
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
            QVERIFY2(rule == nullptr, step.key);
        } else {
            QVERIFY2(rule != nullptr, step.key);
            QCOMPARE(rule->image, step.image);
        }
        QCOMPARE(ring.Current(), step.current);
    }
}

void RowStyleRingTest::duplicateEmptyKeyOfTheCallListAlwaysGivesTheAddedRule() {
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
            QCOMPARE(rule, nullptr);
            continue;
        }
        QVERIFY(rule != nullptr);
        if (state.empty()) {
            QCOMPARE(rule->image, 1);
            QVERIFY(rule->background == kWhite);
            QCOMPARE(ring.Current(), std::size_t{3});
        }
    }
}

void RowStyleRingTest::duplicateKeyFoundFirstFromCurrentPositionWins() {
    // Two rules keyed "k" at positions 1 and 3: which one answers depends on where we stand.
    RowStyleRing ring = RingWithKeys({"k", "m", "k"});
    QCOMPARE(ring.Lookup("k")->image, 3);  // current is 3 itself
    QCOMPARE(ring.Lookup("m")->image, 2);
    QCOMPARE(ring.Lookup("k")->image, 3);  // from "m" the later "k" comes first
    QCOMPARE(ring.Lookup("")->image, 0);
    QCOMPARE(ring.Lookup("k")->image, 1);  // from the default rule the first "k" comes first
}

QTEST_MAIN(RowStyleRingTest)
#include "row_style_ring_test.moc"
