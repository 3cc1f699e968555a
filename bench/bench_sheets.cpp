// Sprite sheets: large sheets cut into sprites, or refused, and a project's sprites as one sheet.
#include "bench_support.h"
#include "png/png_export.h"
#include "png/sprite_sheet_export.h"
#include "png/sprite_sheet_import.h"

using namespace vellicor;
using namespace vellicor::bench;

namespace {

// A square sheet of 8 x 8 tiles, every `every`th one drawn and the rest transparent. The drawn
// pixels are scattered, so the file is as large as a real sheet's and not a run of repeats.
QByteArray SheetOfTiles(int side, int every) {
    const PlaneBits clear = *BitsForColour(kTransparentCyan);
    return PixelsPngBytes(QSize(side, side), 1, [=](int x, int y) {
        const int tile = y / 8 * (side / 8) + x / 8;
        const auto scatter = static_cast<std::uint32_t>(x * 73856093 ^ y * 19349663) * 2654435761U;
        return tile % every == 0 ? *BitsForColour(kPaletteColours[scatter >> 29 & 3]) : clear;
    });
}

// Arguments: the sheet's side, one tile in `every` drawn, and whether empty tiles are skipped.
// 4096 / 1 / off is refused by its header (262,144 tiles); 4096 / 16 / on decodes the whole
// sheet and keeps 16,384; 1024 / 1 / off cuts 16,384 tiles.
void BM_ImportSheet(benchmark::State& state) {
    const QByteArray png =
        SheetOfTiles(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const SheetCut cut{8, state.range(2) != 0};
    SheetImport sheet;
    for (auto _ : state) {
        sheet = SpritesFromSheetBytes(png, cut, SpriteTable::kMaxSprites);
        benchmark::DoNotOptimize(sheet.sprites.data());
    }
    state.counters["sprites"] = static_cast<double>(sheet.sprites.size());
    state.counters["file_MB"] = png.size() / 1e6;
    state.SetLabel(sheet.error.isEmpty() ? std::string("imported") : sheet.error.toStdString());
}
BENCHMARK(BM_ImportSheet)
    ->ArgNames({"side", "every", "skip"})
    ->Args({4096, 1, 0})
    ->Args({4096, 16, 1})
    ->Args({1024, 1, 0})
    ->Unit(benchmark::kMillisecond);

// 1,000 sprites of 16 x 16 in 32 columns at scale 1: a 512 x 512 sheet.
void BM_ExportSheet(benchmark::State& state) {
    SpriteTable table;
    std::vector<int> indexes;
    for (int i = 0; i < 1000; ++i) {
        SpriteRecord sprite;
        sprite.Size = 16;
        Scribble(sprite);
        indexes.push_back(table.AppendRecord(std::move(sprite)));
    }
    QByteArray png;
    for (auto _ : state) {
        png = SheetPngBytes(table, indexes, {32, 1});
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["file_KB"] = png.size() / 1e3;
}
BENCHMARK(BM_ExportSheet)->Unit(benchmark::kMillisecond);

// The whole of File > Import Sprite Sheet... in a shown window: a 1024 x 1024 sheet of 8 x 8
// tiles read, cut, added as one step, its 16,384 nodes put in the tree and the step written to
// the recovery journal. Undo takes it out again between runs, untimed.
void BM_ImportSheetInWindow(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tiles.png");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SheetOfTiles(1024, 1)) < 0)
        state.SkipWithError("the sheet could not be written");
    file.close();
    OpenEditor editor;
    editor.dialogs.openFile = path;
    editor.dialogs.sheetCut = SheetCut{8, false};
    QAction* import = editor.main.findChild<QAction*>("mnuFileImportSheet");
    for (auto _ : state) {
        import->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        editor.main.Document().ProjectHistory()->undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["sprites"] = 1024 * 1024 / 64;
}
BENCHMARK(BM_ImportSheetInWindow)->Unit(benchmark::kMillisecond);

} // namespace
