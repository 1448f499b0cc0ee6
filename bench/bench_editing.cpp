// One key press that commits an amount and moves: the editor's handlers,
// the grid's notifications and the recalculation, without painting. And the
// same key from the event to the repainted editor on the offscreen platform.
// Each has its floor below, checked against Barlog in its set-up.
#include "editing/Modul.h"
#include "editing/ui/EditorBox.h"
#include "floor/FloorGrid.h"
#include "floor/FloorSheet.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

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

// The floor of both measures: the same sheet's texts in a FloorSheet, a grid
// widget that paints them with FloorGrid and a line edit over the current
// cell. A key commits the typed amount, moves, recalculates in one pass and
// asks to repaint only the cells that changed; moving the line edit makes
// Qt repaint what it uncovers.
class FloorEditor : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void(int key)> moveKey;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Right || event->key() == Qt::Key_Left) && moveKey) {
            moveKey(event->key());
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

class FloorGridView : public QWidget
{
public:
    FloorGridView(QWidget *parent, FloorGrid &grid, const FloorGrid::Layout &layout, const FloorSheet &sheet,
                  QColor background)
        : QWidget(parent),
          m_grid(grid),
          m_layout(layout),
          m_sheet(sheet),
          m_background(background)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        for (const QRect &dirty : event->region()) {
            p.fillRect(dirty, m_background);
            m_grid.paint(p, m_layout, &m_sheet.cell(0, 0), dirty);
        }
    }

private:
    FloorGrid &m_grid;
    const FloorGrid::Layout &m_layout;
    const FloorSheet &m_sheet;
    QColor m_background;
};

// Barlog's window as the floor sees it: where the grid and the editor sit,
// and the sheet's texts and looks.
struct FloorWindow
{
    explicit FloorWindow(Sheet &barlog)
        : sheet(barlog.form.flex->store()),
          grid(barlog.form.flex->store(), barlog.form.flex->leftCol())
    {
        const FlexGrid &flex = *barlog.form.flex;
        const QWidget &viewport = *flex.viewport();
        window.resize(barlog.form.size());
        grid.prepare(&viewport);
        const double pixelsPerTwip = Screen::logicalDpi() / 1440.0;
        layout = grid.layout(QRectF(viewport.rect()), pixelsPerTwip, pixelsPerTwip, flex.topRow(), true);
        view = new FloorGridView(&window, grid, layout, sheet, QColor(flex.store().backColorBkg()));
        view->setGeometry(QRect(viewport.mapTo(&barlog.form, QPoint(0, 0)), viewport.size()));
        editor = new FloorEditor(&window);
        editor->setFont(barlog.form.Text1->font());
        editor->setPalette(barlog.form.Text1->palette());
        editor->setFrame(barlog.form.Text1->hasFrame());
        editor->moveKey = [this](int key) { this->key(key); };
        row = flex.store().row();
        col = flex.store().col();
        place();
    }

    void key(int key)
    {
        changed.clear();
        if (col <= modul::ColBestand && sheet.commitAmount(row, col, editor->text()))
            changed.push_back(FloorSheet::index(row, col));
        col += key == Qt::Key_Right ? 1 : -1;
        sheet.recalculate(changed);
        for (int cell : changed) {
            const int r = cell / FloorSheet::Cols;
            const int c = cell % FloorSheet::Cols;
            if (c == modul::ColBestand)
                grid.setTextColor(r, c, modul::centsOf(sheet.cell(r, c)) < 0 ? Qt::red : Qt::black);
            const QRect rect = cellRect(r, c);
            if (!rect.isEmpty())
                view->update(rect);
        }
        place();
    }

    // The cell's rectangle in the grid widget, empty when it is not shown.
    QRect cellRect(int r, int c) const
    {
        const auto i = std::find(layout.rows.begin(), layout.rows.end(), r);
        const auto j = std::find(layout.cols.begin(), layout.cols.end(), c);
        if (i == layout.rows.end() || j == layout.cols.end())
            return {};
        const size_t ri = static_cast<size_t>(i - layout.rows.begin());
        const size_t ci = static_cast<size_t>(j - layout.cols.begin());
        return QRectF(QPointF(layout.xs[ci], layout.ys[ri]), QPointF(layout.xs[ci + 1], layout.ys[ri + 1])).toRect();
    }

    void place()
    {
        editor->setText(sheet.cell(row, col));
        QRect rect = cellRect(row, col);
        rect.setRight(std::min(rect.right(), view->width() - 1));
        editor->setGeometry(rect.translated(view->pos()));
    }

    FloorSheet sheet;
    FloorGrid grid;
    FloorGrid::Layout layout;
    QWidget window;
    FloorGridView *view = nullptr;
    FloorEditor *editor = nullptr;
    int row = 0;
    int col = 0;
    std::vector<int> changed;
};

// What the floor leaves different from Barlog after the same keys: texts,
// totals and where the editor stands.
QString floorDifference(Sheet &barlog, FloorWindow &floor)
{
    const QStringList differences = floor.sheet.differences(barlog.form.flex->store(), barlog.form.flex2->store());
    if (!differences.isEmpty())
        return differences.first();
    if (floor.editor->text() != barlog.form.Text1->text())
        return QStringLiteral("editor text \"%1\", floor \"%2\"").arg(barlog.form.Text1->text(), floor.editor->text());
    const QWidget &editor = *barlog.form.Text1;
    if (floor.editor->geometry() != QRect(editor.mapTo(&barlog.form, QPoint(0, 0)), editor.size()))
        return QStringLiteral("the editor stands elsewhere");
    return {};
}

// The pixels of the floor's grid as the screen holds them after its partial
// repaints, against Barlog's grid painted whole; the editor is left out.
QString pixelDifference(Sheet &barlog, FloorWindow &floor)
{
    QWidget &viewport = *barlog.form.flex->viewport();
    const QImage expected = viewport.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shown = floor.window.screen()
                             ->grabWindow(floor.window.winId(), floor.view->x(), floor.view->y(), floor.view->width(),
                                          floor.view->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    if (expected.size() != shown.size())
        return QStringLiteral("the grids differ in size");
    const QRect editor = floor.editor->geometry().translated(-floor.view->pos());
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x)
            differing += !editor.contains(x, y) && expected.pixel(x, y) != shown.pixel(x, y) ? 1 : 0;
    }
    return differing == 0 ? QString() : QStringLiteral("%1 pixels of the grid differ").arg(differing);
}

void BM_FloorKeyCommitAndMove(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    Sheet barlog(rows);
    barlog.form.flex->store().setRowCol(rows / 2, 0);
    FloorWindow floor(barlog);
    for (int round = 0; round < 2; ++round) {
        for (int code : {39, 37}) {
            pressKey(barlog.form, code);
            floor.editor->setText(QStringLiteral("12,5"));
            floor.key(code == 39 ? Qt::Key_Right : Qt::Key_Left);
            if (const QString difference = floorDifference(barlog, floor); !difference.isEmpty()) {
                state.SkipWithError(qPrintable(QStringLiteral("the floor differs: ") + difference));
                return;
            }
        }
    }
    for (auto _ : state) {
        for (int key : {Qt::Key_Right, Qt::Key_Left}) {
            floor.editor->setText(QStringLiteral("12,5"));
            floor.key(key);
        }
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_FloorKeyCommitAndMove)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_FloorKeyEventToRepaintedEditor(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    Sheet barlog(rows);
    barlog.form.show();
    barlog.form.activateWindow();
    barlog.form.flex->store().setRowCol(rows / 2, 0);
    QApplication::processEvents();
    FloorWindow floor(barlog);
    floor.window.show();
    floor.window.activateWindow();
    floor.editor->setFocus();
    QApplication::processEvents();
    const auto press = [](QLineEdit *editor, int key) {
        editor->setText(QStringLiteral("12,5"));
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(editor, &event);
        editor->repaint();
    };
    for (int key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Right}) {
        press(barlog.form.Text1, key);
        press(floor.editor, key);
        QString difference = floorDifference(barlog, floor);
        if (difference.isEmpty())
            difference = pixelDifference(barlog, floor);
        if (!difference.isEmpty()) {
            state.SkipWithError(qPrintable(QStringLiteral("the floor differs: ") + difference));
            return;
        }
    }
    press(floor.editor, Qt::Key_Left);
    barlog.form.hide();
    for (auto _ : state) {
        for (int key : {Qt::Key_Right, Qt::Key_Left})
            press(floor.editor, key);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_FloorKeyEventToRepaintedEditor)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

} // namespace
