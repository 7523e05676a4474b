// SPDX-License-Identifier: MIT
// korvexer_list_bench [FILES [ROWS_PER_FILE]]: the grid list of the constant dialog over 100,000
// scanned rows: opening it against the scan alone, and painting one screen with few and many rows.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QScrollBar>

#include "bench/bench_support.h"
#include "core/language/language_defaults.h"
#include "gui/controls/font_height.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/grid_list_setup.h"

namespace {

using namespace korvexer;

constexpr int kRounds = 5;
constexpr int kPaintsPerSample = 20;
constexpr double kMaxOpenToScan = 1.5;
constexpr double kMaxPaintRatio = 2.0;
constexpr std::size_t kFewRows = 100;

LanguageDefinition CWithLf() {
    LanguageDefinition language = LoaderDefaults(0);
    language.carryreturn = {'\n', 0};
    return language;
}

// The list as the constant dialog sets it up, over `rows`, shown and painted once.
void OpenList(gui::CGridListCtrl& list, RowList& rows) {
    list.Configure(gui::ConstantDialogSetup(), gui::font_height::DialogFont());
    list.AttachRows(&rows);
    list.resize(900, 600);
    list.show();
    list.viewport()->repaint();
    QApplication::processEvents();
}

// Seconds per paint of the visible screen of `rows`, scrolled to the middle.
double PaintSeconds(RowList& rows) {
    gui::CGridListCtrl list;
    OpenList(list, rows);
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    return bench::TimeSeconds([&] {
               for (int paint = 0; paint < kPaintsPerSample; ++paint) list.viewport()->repaint();
           }) /
           kPaintsPerSample;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    const std::size_t rowsPerFile = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100;
    bench::ScratchFolder folder;
    const std::vector<std::string> paths =
        bench::GenerateSources(folder.path(), files, rowsPerFile);
    const LanguageDefinition language = CWithLf();

    bench::Report report("the constant dialog's grid list over " +
                         std::to_string(files * rowsPerFile) + " scanned rows");
    std::size_t rowCount = 0;
    const std::vector<bench::Timing> open = bench::MedianTimes(
        {[&] { rowCount = bench::ScanFiles(paths, language, ScanMode::Constants).size(); },
         [&] {
             RowList rows = bench::ScanFiles(paths, language, ScanMode::Constants);
             gui::CGridListCtrl list;
             OpenList(list, rows);
         }},
        kRounds);
    report.Note("rows", static_cast<double>(rowCount), "");
    report.Note("scan alone, wall", open[0].wall, "s");
    report.Note("scan and open the list, wall", open[1].wall, "s");
    report.AtMost("scan and open / scan alone", open[1].wall / open[0].wall, kMaxOpenToScan);

    RowList many = bench::ScanFiles(paths, language, ScanMode::Constants);
    RowList few;
    for (std::size_t row = 0; row < kFewRows && row < many.size(); ++row)
        few.Append(many[row].columns, many[row].image);
    std::vector<double> fewSamples;
    std::vector<double> manySamples;
    for (int round = 0; round < kRounds; ++round) {
        fewSamples.push_back(PaintSeconds(few));
        manySamples.push_back(PaintSeconds(many));
    }
    const double fewPaint = bench::Median(fewSamples);
    const double manyPaint = bench::Median(manySamples);
    report.Note("one screen, 100 rows", fewPaint * 1e3, "ms");
    report.Note("one screen, " + std::to_string(many.size()) + " rows", manyPaint * 1e3, "ms");
    report.AtMost("paint with many rows / with 100 rows", manyPaint / fewPaint, kMaxPaintRatio);
    return report.Finish();
}
