// What the benchmarks share: a dialog seam that answers alone, scribbled sprites, a shown editor
// at zoom 100, and full projects.
#pragma once

#include "document/journal_keeper.h"
#include "editor/frm_sprite.h"
#include "export/header_text.h"
#include "journal/journal_line.h"
#include "journal/journal_records.h"
#include "journal/recovery_journal.h"
#include "journal/recovery_store.h"
#include "main_window/frm_main.h"
#include "main_window/header_dock.h"
#include "model/colour_table.h"
#include "project/project_file.h"
#include "tools/tool_geometry.h"
#include "tools/transforms.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <malloc.h>
#include <unistd.h>

namespace vellicor::bench {

// Names every prompt "Bench" and cancels everything else.
class BenchDialogs final : public DialogSeam {
  public:
    std::optional<QString> openFile;  // what Open and the imports are given; none cancels
    std::optional<SheetCut> sheetCut; // how a sheet is cut; none cancels
    QString InputBox(QWidget*, const QString&, const QString&) override { return "Bench"; }
    void MessageBox(QWidget*, const QString&, const QString&) override {}
    std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> SaveAsFileName(QWidget*, const QString&, const QString&,
                                          const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> OpenFileName(QWidget*, const QString&) override { return openFile; }
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString&) override {
        return SaveChangesAnswer::Discard;
    }
    bool AskRecover(QWidget*, const QString&) override { return false; }
    void ShowModal(QDialog&) override {}
    std::optional<int> AskScale(QWidget*, int) override { return std::nullopt; }
    std::optional<SheetCut> AskSheetCut(QWidget*, SheetCut) override { return sheetCut; }
    std::optional<SheetLayout> AskSheetLayout(QWidget*, SheetLayout, int) override {
        return std::nullopt;
    }
};

inline Rgb ScribbleColour(int x, int y) {
    return kPaletteColours[(x * 7 + y * 3) % 5];
}

inline void Scribble(SpriteRecord& record) {
    for (int y = 0; y < kPlaneSide; ++y)
        for (int x = 0; x < kPlaneSide; ++x)
            record.SetBits(x, y, *BitsForColour(ScribbleColour(x, y)));
}

inline void Scribble(ProjectDocument& document, int index) {
    document.BeginStroke(index);
    for (int y = 0; y < kPlaneSide; ++y)
        for (int x = 0; x < kPlaneSide; ++x)
            document.SetPixel(index, x, y, *BitsForColour(ScribbleColour(x, y)));
    document.EndStroke();
}

// A shown main window with one 32 x 32 sprite open at zoom 100.
struct OpenEditor {
    BenchDialogs dialogs;
    QTemporaryDir recovery;
    frmMain main{dialogs, recovery.path()};
    frmSprite* window = nullptr;
    QWidget* canvas = nullptr;
    QWidget* preview = nullptr;

    OpenEditor() {
        main.resize(1200, 900);
        main.show();
        main.NewProject();
        main.NewSprite();
        window = main.EditorWindows().front();
        Scribble(main.Document(), 0);
        window->findChild<QRadioButton*>("opt32")->setChecked(true);
        window->findChild<QSlider*>("sldZoom")->setValue(100);
        canvas = window->findChild<QWidget*>("picSprite");
        preview = window->findChild<QWidget*>("picPreview");
        QApplication::processEvents();
    }

    // Sends a mouse event to the canvas, then lets the event loop repaint what it changed, as
    // it does before the next event.
    void Send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, {});
        QApplication::sendEvent(canvas, &event);
        QApplication::processEvents();
    }

    // What a full repaint writes: the canvas's and the preview's images.
    std::size_t SurfaceBytes() const {
        std::size_t bytes = 0;
        for (const char* name : {"picSprite", "picPreview"}) {
            const QSize size = window->findChild<QWidget*>(name)->size();
            bytes += static_cast<std::size_t>(size.width()) * size.height() * sizeof(QRgb);
        }
        return bytes;
    }
};

// Journals are written under the user's data folder (~/.local/share), where the real ones
// live, so the disk and filesystem are those of $HOME and not a tmpfs /tmp.
inline QString JournalFolderTemplate() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(data);
    return data + "/vellicor-bench-XXXXXX";
}

inline SpriteTable ScribbledTable(std::int64_t sprites) {
    SpriteTable table;
    for (std::int64_t i = 0; i < sprites; ++i) {
        SpriteRecord& record = table.Record(table.Append("Sprite" + std::to_string(i)));
        record.Size = 32;
        Scribble(record);
    }
    return table;
}

} // namespace vellicor::bench
