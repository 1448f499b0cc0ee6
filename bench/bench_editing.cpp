// One key press that commits an amount and moves: the editor's handlers,
// the grid's notifications and the recalculation, without painting. And the
// same key from the event to the repainted editor on the offscreen platform.
#include "editing/ui/EditorBox.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/FlexGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Sheet
{
    explicit Sheet(int rows) : form(dir.path())
    {
        form.Form_Load();
        FlexGridStore &g = form.flex->store();
        g.setRows(rows);
        g.setTextMatrix(2, 4, QStringLiteral("1.000,00"));
        g.setTextMatrix(2, 6, QStringLiteral("41"));
        for (int r = 3; r < rows - 1; ++r) {
            g.setTextMatrix(r, r % 4, QStringLiteral("%1,%2").arg(r * 7 % 500).arg(r % 100, 2, 10, QLatin1Char('0')));
            g.setTextMatrix(r, 8, QStringLiteral("Buchung %1").arg(r));
        }
        form.flex_Click();
    }
    QTemporaryDir dir;
    Form1 form;
};

void pressKey(Form1 &form, int code)
{
    form.Text1->setText(QStringLiteral("12,5"));
    form.Text1_KeyDown(code, 0);
}

void BM_KeyCommitAndMove(benchmark::State &state)
{
    Sheet s(static_cast<int>(state.range(0)));
    s.form.flex->store().setRowCol(static_cast<int>(state.range(0)) / 2, 0);
    for (auto _ : state) {
        pressKey(s.form, 39); // Right: commit into column 0, move to 1
        pressKey(s.form, 37); // Left: commit into column 1, move back
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["us_per_key"] = benchmark::Counter(static_cast<double>(state.iterations() * 2),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                      benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_KeyCommitAndMove)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_KeyEventToRepaintedEditor(benchmark::State &state)
{
    Sheet s(static_cast<int>(state.range(0)));
    s.form.show();
    s.form.activateWindow();
    s.form.flex->store().setRowCol(static_cast<int>(state.range(0)) / 2, 0);
    QApplication::processEvents();
    for (auto _ : state) {
        for (int key : {Qt::Key_Right, Qt::Key_Left}) {
            s.form.Text1->setText(QStringLiteral("12,5"));
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(s.form.Text1, &press);
            s.form.Text1->repaint();
        }
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeyEventToRepaintedEditor)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

} // namespace
