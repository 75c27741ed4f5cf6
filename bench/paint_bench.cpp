// Painting on the largest board over a full-HD picture: a new game against
// a typical move with its incremental repaint. A move must stay cheap next
// to a new game, or a child's clicks lag on a big board.
#include "cellpainter.h"
#include "game/fakes.h"
#include "fieldlayout.h"
#include "fieldpainter.h"
#include "game.h"
#include "gameview.h"
#include "ratios.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCells = 99;

// Every pixel differs from its neighbours, so no cell's piece of picture
// is a flat fill that a copy could get away with.
QImage Gradient()
{
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qRgb(x * 255 / picture.width(), y * 255 / picture.height(), (x + y) % 256);
    }
    return picture;
}

// Lays the field out as the main window does, without the widgets.
struct FieldView : GameView {
    Game* game = nullptr;
    FieldPainter* painter = nullptr;
    QSize area;

    void LayoutField() override
    {
        const FieldLayout layout = LayoutCells(area, game->ColCount(), game->RowCount());
        painter->SetFieldOffset(layout.cells.topLeft());
        painter->ResetSurface(layout.cells.width(), layout.cells.height());
        game->SetCellSize(layout.cellSize);
    }
    void RebuildColorTable() override { game->SetColorTable({1, 2, 3, 4, 5}); }
    void SetBusy(bool) override {}
    void ShowMessage(const std::string&, bool) override {}
    bool AskPlayAgain() override { return false; }
    void ShowEndMessage(int) override {}
};

// Counts the cells the redraw pass hands on to the real painter.
struct CountingPainter : CellPainter {
    CellPainter* inner = nullptr;
    long calls = 0;
    void PaintStone(int x, int y, std::uint8_t code) override
    {
        ++calls;
        inner->PaintStone(x, y, code);
    }
    void PaintEmptyCell(int x, int y) override
    {
        ++calls;
        inner->PaintEmptyCell(x, y);
    }
};

struct Rig {
    FixedClock clock;
    QImage background = Gradient();
    FieldView view;
    CountingPainter counter;
    Game game{clock, view, counter};
    FieldPainter painter{game, background}; // grid on, as a new window starts

    Rig()
    {
        view.game = &game;
        view.painter = &painter;
        view.area = background.size();
        counter.inner = &painter;
        game.SetDimensions(kCells, kCells);
    }

    // Each deal gets its own seed, so the runs see many boards, not one.
    void Deal(std::uint32_t seed)
    {
        clock.ms = seed;
        game.NewGame();
    }
};

void BM_NewGame(benchmark::State& state)
{
    Rig rig;
    std::uint32_t seed = 1;
    for (auto _ : state)
        rig.Deal(seed++);
    state.counters["painted_cells"] = static_cast<double>(rig.counter.calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NewGame)->Unit(benchmark::kMicrosecond);

// The first takeable stone of the bottom row, clicked in its middle.
void BM_TypicalMove(benchmark::State& state)
{
    Rig rig;
    std::uint32_t seed = 1;
    long painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.Deal(seed++);
        const int bottom = kCells - 1;
        int col = 0;
        while (col < bottom && !rig.game.HasSameNeighbour(col, bottom))
            ++col;
        const int size = rig.game.CellWidth();
        rig.counter.calls = 0;
        state.ResumeTiming();
        rig.game.FieldMouseDown(col * size + size / 2, bottom * size + size / 2);
        painted += rig.counter.calls;
    }
    state.counters["painted_cells"] = static_cast<double>(painted) / static_cast<double>(state.iterations());
    state.counters["full_pass_cells"] = kCells * kCells;
}
BENCHMARK(BM_TypicalMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunAndCompare(argc, argv, "BM_TypicalMove", {{"BM_NewGame", 0.25}});
}
