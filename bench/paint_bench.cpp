// Painting on the largest board over a full-HD picture: a new game against
// a typical move with its incremental repaint, and an arrow key against a
// full repaint. A move must stay cheap next to a new game, or a child's
// clicks lag on a big board.
#include "fieldlayout.h"
#include "fieldpainter.h"
#include "game.h"
#include "support/fixedclock.h"
#include "ratios.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int FieldCells = 99;

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

// The field laid out, dealt and painted as the main window does, without the widgets.
struct Rig {
    FixedClock clock;
    QImage background = Gradient();
    Game game{clock};
    FieldLayout layout = LayoutCells(background.size(), FieldCells, FieldCells);
    FieldLook look{layout.cellSize, true, layout.cells.topLeft()}; // grid on, as a new window starts
    FieldPainter painter{background, look};

    Rig()
    {
        game.SetColors({1, 2, 3, 4, 5});
        game.SetDimensions(FieldCells, FieldCells);
    }

    // Each deal gets its own seed, so the runs see many boards, not one.
    int Deal(std::uint32_t seed)
    {
        clock.ms = seed;
        painter.ResetSurface(layout.cells.width(), layout.cells.height());
        game.NewGame();
        return painter.Paint(game.Board());
    }

    // The first takeable stone from the bottom row up; false when none is left.
    bool TakeAGroup()
    {
        for (int row = FieldCells - 1; row >= 0; --row)
            for (int col = 0; col < FieldCells; ++col)
                if (game.Board().At(col, row) && game.Board().HasSameNeighbour(col, row)) {
                    game.Click(col, row);
                    painter.Paint(game.Board());
                    return true;
                }
        return false;
    }

    // Half the stones taken, so half the cells show the picture.
    void PlayHalfTheBoard()
    {
        Deal(1);
        while (game.StonesLeft() > FieldCells * FieldCells / 2 && TakeAGroup())
            ;
    }
};

void BM_NewGame(benchmark::State& state)
{
    Rig rig;
    std::uint32_t seed = 1;
    long painted = 0;
    for (auto _ : state)
        painted += rig.Deal(seed++);
    state.counters["painted_cells"] = static_cast<double>(painted) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NewGame)->Unit(benchmark::kMicrosecond);

// The first takeable stone of the bottom row.
void BM_TypicalMove(benchmark::State& state)
{
    Rig rig;
    std::uint32_t seed = 1;
    long painted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.Deal(seed++);
        const int bottom = FieldCells - 1;
        int col = 0;
        while (col < bottom && !rig.game.Board().HasSameNeighbour(col, bottom))
            ++col;
        state.ResumeTiming();
        rig.game.Click(col, bottom);
        painted += rig.painter.Paint(rig.game.Board());
    }
    state.counters["painted_cells"] = static_cast<double>(painted) / static_cast<double>(state.iterations());
    state.counters["full_pass_cells"] = FieldCells * FieldCells;
}
BENCHMARK(BM_TypicalMove)->Unit(benchmark::kMicrosecond);

// Releasing an arrow key: the field lies 8 pixels further over the picture,
// so every empty cell shows another piece of it; the stones look the same.
void BM_ArrowKey(benchmark::State& state)
{
    Rig rig;
    rig.PlayHalfTheBoard();
    const QPoint centred = rig.layout.cells.topLeft();
    long painted = 0;
    bool right = false;
    for (auto _ : state) {
        right = !right;
        rig.look.offset = centred + QPoint(right ? 8 : 0, 0);
        painted += rig.painter.Paint(rig.game.Board());
    }
    state.counters["painted_cells"] = static_cast<double>(painted) / static_cast<double>(state.iterations());
    state.counters["stones"] = rig.game.StonesLeft();
}
BENCHMARK(BM_ArrowKey)->Unit(benchmark::kMicrosecond);

// Every cell of the same board painted on a fresh surface.
void BM_FullRepaint(benchmark::State& state)
{
    Rig rig;
    rig.PlayHalfTheBoard();
    for (auto _ : state) {
        state.PauseTiming();
        rig.painter.ResetSurface(rig.layout.cells.width(), rig.layout.cells.height());
        state.ResumeTiming();
        rig.painter.Paint(rig.game.Board());
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    std::map<std::string, double> fastest;
    if (!RunBenchmarks(argc, argv, fastest))
        return 1;
    PrintRatio(fastest, "BM_TypicalMove", "BM_NewGame", 0.25);
    PrintRatio(fastest, "BM_ArrowKey", "BM_FullRepaint", 0.75);
    return 0;
}
