// SPDX-License-Identifier: MIT
// korvexer_list_bench [FILES [ROWS_PER_FILE]]: the constant dialog over 100,000 scanned rows:
// opening it against the scan alone, painting one screen with few and many rows, merging a
// record into the scanned rows and previewing the selected rows; and the function dialog's
// opening against its scan.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QItemSelectionModel>
#include <QScrollBar>

#include "bench/bench_support.h"
#include "core/constants/constant_step.h"
#include "core/language/language_defaults.h"
#include "core/platform/clock.h"
#include "gui/app/prompter.h"
#include "gui/constants/constant_dlg.h"
#include "gui/constants/step_preview_pane.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/row_list_model.h"
#include "gui/functions/function_dlg.h"

namespace {

using namespace korvexer;

constexpr int kRounds = 5;
constexpr int kPaintsPerSample = 20;
constexpr double kMaxOpenToScan = 1.5;
constexpr double kMaxPaintRatio = 2.0;
constexpr double kMaxMergeToScan = 1.0;
// A preview reads the chosen rows' files alone but walks every row once, since a row of another
// file can take a key first: about 0.4 of the scan over these 100,000 rows (68 ms on the loaded
// two-core machine), far below the pause the pane waits before it plans.
constexpr double kMaxPreviewToScan = 0.5;
constexpr std::size_t kRecordRows = 2000;

// Answers every message box with OK and counts them: the benchmark expects none.
class CountingPrompter : public gui::Prompter {
public:
    Answer Show(QWidget*, const QString&, const QString&, Icon, Buttons) override {
        ++shown;
        return Answer::Ok;
    }
    int shown = 0;
};

LanguageDefinition CWithLf() {
    LanguageDefinition language = LoaderDefaults(0);
    language.carryreturn = {'\n', 0};
    return language;
}

// A project as the main window hands it to the step dialog.
struct Project {
    Project(std::size_t files, std::size_t rowsPerFile)
        : language(CWithLf()), paths(bench::GenerateSources(folder.path(), files, rowsPerFile)) {}

    gui::StepContext Context() {
        return {FileSystem::Real(), language, prompter, constants, functions, paths, paths[0]};
    }

    bench::ScratchFolder folder;
    LanguageDefinition language;
    std::vector<std::string> paths;
    CountingPrompter prompter;
    RowList constants{5};
    RowList functions{5};
};

// Shows a dialog just opened and paints it once.
template <typename Dialog>
std::unique_ptr<Dialog> Shown(std::unique_ptr<Dialog> dialog) {
    dialog->resize(900, 700);
    dialog->show();
    dialog->List().viewport()->repaint();
    QApplication::processEvents();
    return dialog;
}

// Opens the constant dialog on `project`, shows it and paints it once.
std::unique_ptr<gui::CConstantDlg> OpenDialog(Project& project, const Clock& clock) {
    return Shown(std::make_unique<gui::CConstantDlg>(project.Context(), clock, 1024));
}

// Seconds per paint of the visible screen of the dialog's list, scrolled to the middle.
double PaintSeconds(Project& project, const Clock& clock) {
    std::unique_ptr<gui::CConstantDlg> dialog = OpenDialog(project, clock);
    QScrollBar* bar = dialog->List().verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QApplication::processEvents();
    return bench::TimeSeconds([&] {
               for (int paint = 0; paint < kPaintsPerSample; ++paint)
                   dialog->List().viewport()->repaint();
           }) /
           kPaintsPerSample;
}

// `count` record rows (index, type, value, file, position) that stand for scanned rows spread
// over the whole list, as an earlier step leaves them.
RowList RecordOf(const RowList& scanned, std::size_t count) {
    RowList record(5);
    const std::size_t step = scanned.size() / count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t row = i * step;
        record.Append({std::to_string(200000 + i), scanned.Text(row, 1), scanned.Text(row, 2),
                       scanned.Text(row, 4), scanned.Text(row, 5)});
    }
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    const std::size_t rowsPerFile = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100;
    const FixedClock clock(1700000000);
    Project many(files, rowsPerFile);
    Project few(1, 100);

    bench::Report report("the constant dialog over " + std::to_string(files * rowsPerFile) +
                         " scanned rows");
    std::size_t rowCount = 0;
    const std::vector<bench::Timing> open = bench::MedianTimes(
        {[&] {
             rowCount = bench::ScanFiles(many.paths, many.language, ScanMode::Constants).size();
         },
         [&] { OpenDialog(many, clock); }},
        kRounds);
    report.Note("rows", static_cast<double>(rowCount), "");
    report.Note("scan alone, wall", open[0].wall, "s");
    report.Note("open the dialog (scan, merge, list), wall", open[1].wall, "s");
    report.AtMost("open the dialog / scan alone", open[1].wall / open[0].wall, kMaxOpenToScan);

    std::vector<double> fewSamples;
    std::vector<double> manySamples;
    for (int round = 0; round < kRounds; ++round) {
        fewSamples.push_back(PaintSeconds(few, clock));
        manySamples.push_back(PaintSeconds(many, clock));
    }
    const double fewPaint = bench::Median(fewSamples);
    const double manyPaint = bench::Median(manySamples);
    report.Note("one screen, 100 rows", fewPaint * 1e3, "ms");
    report.Note("one screen, " + std::to_string(rowCount) + " rows", manyPaint * 1e3, "ms");
    report.AtMost("paint with many rows / with 100 rows", manyPaint / fewPaint, kMaxPaintRatio);

    // The merge: opening the step model with a record of 2,000 rows against opening it without.
    const RowList scanned = bench::ScanFiles(many.paths, many.language, ScanMode::Constants);
    const RowList none(5);
    const RowList record = RecordOf(scanned, kRecordRows);
    auto openStep = [&](const RowList& main) {
        ConstantStep step(FileSystem::Real(), many.language, clock);
        step.Open(main, &many.paths, many.paths[0], 1024);
    };
    const std::vector<bench::Timing> merge =
        bench::MedianTimes({[&] { openStep(none); }, [&] { openStep(record); }}, kRounds);
    report.Note("step model, no record, wall", merge[0].wall, "s");
    report.Note("step model, 2,000 record rows, wall", merge[1].wall, "s");
    report.Note("with 2,000 record rows / without", merge[1].wall / merge[0].wall, "");
    // Merged through an index the merge costs less than the scan; pairing every record row with
    // every scanned row would cost several scans.
    report.AtMost("merge of 2,000 record rows / scan alone",
                  (merge[1].wall - merge[0].wall) / open[0].wall, kMaxMergeToScan);
    // The function dialog: its calls (a quarter as many rows here) against their scan alone.
    std::size_t callCount = 0;
    const std::vector<bench::Timing> calls = bench::MedianTimes(
        {[&] { callCount = bench::ScanFiles(many.paths, many.language, ScanMode::Calls).size(); },
         [&] { Shown(std::make_unique<gui::CFunctionDlg>(many.Context())); }},
        kRounds);
    report.Note("function dialog: call rows", static_cast<double>(callCount), "");
    report.Note("function dialog: open / calls scan alone", calls[1].wall / calls[0].wall, "");

    // The preview under the list: planned for the files of the selected rows alone, so one row
    // costs part of the scan, and all rows selected cost no more than the first few.
    {
        std::unique_ptr<gui::CConstantDlg> dialog = OpenDialog(many, clock);
        gui::CGridListCtrl& list = dialog->List();
        const QModelIndex middle = list.Rows().index(list.Rows().rowCount() / 2, 0);
        const std::vector<bench::Timing> preview = bench::MedianTimes(
            {[&] {
                list.selectionModel()->setCurrentIndex(
                    middle, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                dialog->Preview().Refresh();
            }},
            kRounds);
        report.Note("preview of one selected row, wall", preview[0].wall * 1e3, "ms");
        report.AtMost("preview of one row / scan alone", preview[0].wall / open[0].wall,
                      kMaxPreviewToScan);
        list.selectAll();
        const std::vector<bench::Timing> all =
            bench::MedianTimes({[&] { dialog->Preview().Refresh(); }}, kRounds);
        report.Note("preview with every row selected, wall", all[0].wall * 1e3, "ms");
        report.AtMost("preview of every row / scan alone", all[0].wall / open[0].wall,
                      kMaxPreviewToScan);
    }

    report.Holds("no message box was shown", many.prompter.shown == 0 && few.prompter.shown == 0,
                 std::to_string(many.prompter.shown + few.prompter.shown));
    return report.Finish();
}
