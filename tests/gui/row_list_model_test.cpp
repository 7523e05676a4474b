// SPDX-License-Identifier: MIT
// Tests of RowListModel: change notices under the model tester, GBK cells, large lists.
#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QtTest>

#include <string>

#include "core/list/list_texts.h"
#include "core/list/row_list.h"
#include "gui/controls/row_list_model.h"

using korvexer::RowList;
using korvexer::gui::RowListModel;

class RowListModelTest : public QObject {
    Q_OBJECT
private slots:
    void rowOperationsKeepTheModelConsistent();
    void cellsShowGbkTextAndRawBytes();
    void outOfRangeOperationsChangeNothing();
    void reloadAfterDirectChangesOfTheRowList();
    void directChangesShownWithoutAResetKeepTheSelection();
    void hundredThousandRows();
    void fileTextsShowInTheirFilesEncoding();
};

namespace {
std::vector<std::string> Cells(const std::string& key) {
    return {key, std::string(korvexer::texts::kTypeString), "v&1", "", "a.cpp", "1:2"};
}
}  // namespace

void RowListModelTest::rowOperationsKeepTheModelConsistent() {
    RowList rows(6);
    RowListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.Attach(&rows);
    model.SetHeadings({"a", "b", "c", "d", "e", "f"});
    QCOMPARE(model.columnCount(), 6);

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QCOMPARE(model.AppendRow(Cells("1")), 0);
    QCOMPARE(model.AppendRow(Cells("3")), 1);
    QCOMPARE(model.InsertRow(1, Cells("2")), 1);
    QCOMPARE(model.InsertRow(99, Cells("4")), 3);  // past the end: appended
    QCOMPARE(inserted.count(), 4);
    QCOMPARE(inserted.at(2).at(1).toInt(), 1);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(rows.Text(1, 0), std::string("2"));
    QCOMPARE(rows.Text(3, 0), std::string("4"));

    model.SetText(2, 3, std::string(korvexer::texts::kStateReplace));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), model.index(2, 3));
    QCOMPARE(model.index(2, 3).data().toString(), QStringLiteral("替换"));

    model.SetImage(2, 1);
    model.SetImage(2, 1);  // unchanged: no second notice
    QCOMPARE(changed.count(), 2);
    QCOMPARE(model.index(2, 5).data(RowListModel::ImageRole).toInt(), 1);

    // The image a painter stores is kept silently.
    model.StoreDrawnImage(0, 1);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(rows.Image(0), 1);

    model.RemoveRow(0);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("2"));
    model.Clear();
    QCOMPARE(removed.count(), 2);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(rows.empty());
    model.Clear();  // already empty: no notice
    QCOMPARE(removed.count(), 2);
}

void RowListModelTest::cellsShowGbkTextAndRawBytes() {
    RowList rows(6);
    RowListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.Attach(&rows);
    // 索引号, and a heading list shorter than the rows: the model shows five columns.
    model.SetHeadings({"\xCB\xF7\xD2\xFD\xBA\xC5", "b", "c", "d", "e"});
    model.AppendRow(Cells("1025"));
    QCOMPARE(model.columnCount(), 5);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("索引号"));
    QVERIFY(!model.headerData(5, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("字符串"));
    QCOMPARE(model.index(0, 1).data(RowListModel::GbkTextRole).toByteArray(),
             QByteArray("\xD7\xD6\xB7\xFB\xB4\xAE"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("v&1"));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);
}

void RowListModelTest::outOfRangeOperationsChangeNothing() {
    RowList rows(6);
    RowListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.AppendRow(Cells("1")), -1);  // nothing attached
    QCOMPARE(model.rowCount(), 0);
    model.Attach(&rows);
    model.SetHeadings({"a", "b"});
    model.AppendRow(Cells("1"));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.SetText(1, 0, "x");
    model.SetText(-1, 0, "x");
    model.SetText(0, 6, "x");
    model.SetImage(5, 1);
    model.RemoveRow(1);
    model.RemoveRow(-1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(model.Text(7, 0), std::string());
    // A column that the rows hold but the view does not show changes without a notice.
    model.SetText(0, 4, "hidden");
    QCOMPARE(changed.count(), 0);
    QCOMPARE(rows.Text(0, 4), std::string("hidden"));
}

void RowListModelTest::reloadAfterDirectChangesOfTheRowList() {
    RowList rows(6);
    RowListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.Attach(&rows);
    model.SetHeadings({"a", "b", "c", "d", "e", "f"});
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    rows.Append(Cells("7"));
    rows.Append(Cells("8"));
    model.Reload();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("8"));
    model.Attach(nullptr);
    QCOMPARE(model.rowCount(), 0);
}

void RowListModelTest::directChangesShownWithoutAResetKeepTheSelection() {
    RowList rows(6);
    for (const char* key : {"0", "1", "2"}) rows.Append(Cells(key));
    RowListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetHeadings({"a", "b", "c", "d", "e", "f"});
    model.Attach(&rows);
    QItemSelectionModel selection(&model);
    selection.select(model.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    // Appended rows stay out of sight until they are shown, then come as one insertion.
    rows.Append(Cells("3"));
    rows.Append(Cells("4"));
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.Text(3, 0), std::string());
    model.ShowAppendedRows();
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 3);
    QCOMPARE(inserted.at(0).at(2).toInt(), 4);
    model.ShowAppendedRows();  // nothing new: no notice
    QCOMPARE(inserted.count(), 1);

    // Changed texts: one notice over the cells named, cut to those shown.
    rows.SetText(1, 3, std::string(korvexer::texts::kStateReplace));
    model.ShowChangedCells(1, 1, 3, 3);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), model.index(1, 3));
    QCOMPARE(changed.at(0).at(1).value<QModelIndex>(), model.index(1, 3));
    QCOMPARE(model.index(1, 3).data().toString(), QStringLiteral("替换"));
    model.ShowChangedCells(3, 99, -1, 9);
    QCOMPARE(changed.at(1).at(0).value<QModelIndex>(), model.index(3, 0));
    QCOMPARE(changed.at(1).at(1).value<QModelIndex>(), model.index(4, 5));
    model.ShowChangedCells(5, 9, 0, 5);  // past the rows shown
    model.ShowChangedCells(2, 1, 0, 5);
    model.ShowChangedCells(0, 4, 6, 7);  // past the columns shown
    QCOMPARE(changed.count(), 2);

    // A removal announced around the change; a row out of range runs nothing.
    model.RemoveRowBy(1, [&] { rows.Remove(1); });
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 1);
    QCOMPARE(model.rowCount(), 4);
    bool ran = false;
    model.RemoveRowBy(4, [&] { ran = true; });
    model.RemoveRowBy(-1, [&] { ran = true; });
    QVERIFY(!ran);
    QCOMPARE(removed.count(), 1);

    QCOMPARE(reset.count(), 0);
    // The selected row "2" moved up by the removal and is still the one selected.
    QCOMPARE(selection.selectedRows(), QModelIndexList{model.index(1, 0)});
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("2"));
}

void RowListModelTest::hundredThousandRows() {
    RowList rows(6);
    RowListModel model;
    model.Attach(&rows);
    model.SetHeadings({"a", "b", "c", "d", "e", "f"});
    rows.reserve(100000);
    for (int i = 0; i < 100000; ++i) rows.Append(Cells(std::to_string(i)));
    model.Reload();
    QCOMPARE(model.rowCount(), 100000);
    QCOMPARE(model.index(99999, 0).data().toString(), QStringLiteral("99999"));
    // Appending through the model to a long list still notifies one row.
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QCOMPARE(model.AppendRow(Cells("x")), 100000);
    QCOMPARE(inserted.count(), 1);
}

void RowListModelTest::fileTextsShowInTheirFilesEncoding() {
    using korvexer::TextEncoding;
    RowList rows(6);
    // "好" as UTF-8 bytes in both rows; only u.cpp is a UTF-8 file, only column 2 its own text.
    rows.Append({"\xBA\xC3", "", "\xE5\xA5\xBD", "", "u.cpp", "1:2"});
    rows.Append({"1", "", "\xE5\xA5\xBD", "", "g.cpp", "1:2"});
    RowListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.Attach(&rows);
    model.SetHeadings({"a", "b", "c", "d", "e", "f"});
    QCOMPARE(model.ShownText(0, 2), model.ShownText(1, 2));  // no lookup yet: all GBK
    int lookups = 0;
    model.SetFileTexts({2}, 4);
    model.SetEncodingLookup([&lookups](const std::string& path) {
        ++lookups;
        return path == "u.cpp" ? TextEncoding::Utf8 : TextEncoding::Gbk;
    });
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("好"));
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("好"));  // a GBK column
    QCOMPARE(model.CellEncoding(1, 2), TextEncoding::Gbk);
    QVERIFY(model.index(1, 2).data().toString() != QStringLiteral("好"));
    // Only the file-text cells ask for their file's encoding.
    lookups = 0;
    (void)model.index(0, 0).data();
    (void)model.index(0, 4).data();
    QCOMPARE(lookups, 0);
}

QTEST_MAIN(RowListModelTest)
#include "row_list_model_test.moc"
