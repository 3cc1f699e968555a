// Writes the fuzz targets' starting corpora into the folder given: valid inputs of every kind,
// made by Vellicor's own writers, so no binary seed has to live in the repository.
#include "export/header_text.h"
#include "journal/journal_line.h"
#include "journal/journal_records.h"
#include "png/png_export.h"
#include "project/project_file.h"
#include "raw_png.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <string>

using namespace vellicor;

namespace {

constexpr qint64 kTime = 1'700'000'000'000; // a fixed moment, so seeds are the same each run

// A sprite whose pixels walk through all five colours, including pixels beyond its size.
SpriteRecord Pattern(std::string name, int size, int shift, bool open) {
    SpriteRecord sprite;
    sprite.Name = std::move(name);
    sprite.Size = static_cast<std::int16_t>(size);
    sprite.IsOpen = open;
    for (int y = 0; y < kPlaneSide; ++y)
        for (int x = 0; x < kPlaneSide; ++x)
            sprite.SetBits(x, y, *BitsForColour(kPaletteColours[(x * 3 + y + shift) % 5]));
    return sprite;
}

SpriteTable Table(std::initializer_list<SpriteRecord> sprites) {
    SpriteTable table;
    for (const SpriteRecord& sprite : sprites)
        table.AppendRecord(sprite);
    return table;
}

struct Seeds {
    QDir folder;
    int written = 0;

    void Write(const QString& kind, const QString& file, const QByteArray& bytes) {
        folder.mkpath(kind);
        QFile out(folder.filePath(kind + QLatin1Char('/') + file));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.fileName()));
            std::exit(1);
        }
        ++written;
    }
};

QByteArray PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The same picture stored in each pixel format the PNG writer maps to its own colour type and
// bit depth: grey, palette, RGB and RGBA, 8 and 16 bits, with and without alpha.
void WriteImages(Seeds& seeds) {
    QImage argb(13, 9, QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            argb.setPixel(x, y, qRgba(x * 19, y * 27, (x + y) * 11, (x * y * 7) % 256));
    const struct {
        const char* name;
        QImage::Format format;
    } formats[] = {{"argb32", QImage::Format_ARGB32},      {"rgb32", QImage::Format_RGB32},
                   {"rgb888", QImage::Format_RGB888},      {"grey8", QImage::Format_Grayscale8},
                   {"grey16", QImage::Format_Grayscale16}, {"rgba64", QImage::Format_RGBA64},
                   {"rgbx64", QImage::Format_RGBX64},      {"indexed8", QImage::Format_Indexed8},
                   {"mono", QImage::Format_Mono}};
    for (const auto& format : formats)
        seeds.Write(QStringLiteral("png"),
                    QString::fromLatin1(format.name) + QStringLiteral(".png"),
                    PngOf(argb.convertToFormat(format.format)));
    seeds.Write(QStringLiteral("png"), QStringLiteral("wide.png"),
                PngOf(QImage(33, 1, QImage::Format_RGB32)));
    // Every colour type at every depth PNG allows, some interlaced, with each kind of tRNS.
    const QByteArray greyKey("\x00\x05", 2), colourKey("\x00\x29\x00\x72\x00\xBB", 6);
    const fuzz::RawPng raws[] = {
        {5, 3, 0, 1, false, {}},         {5, 3, 0, 2, true, {}},
        {5, 3, 0, 4, false, greyKey},    {9, 9, 0, 8, true, greyKey},
        {5, 3, 0, 16, false, greyKey},   {5, 3, 2, 8, false, colourKey},
        {5, 3, 2, 16, false, colourKey}, {9, 9, 2, 16, true, colourKey},
        {5, 3, 3, 1, false, {}},         {5, 3, 3, 2, true, QByteArray("\x00\x80", 2)},
        {5, 3, 3, 4, false, {}},         {5, 3, 3, 8, false, QByteArray(200, '\x40')},
        {5, 3, 4, 8, false, {}},         {9, 9, 4, 16, true, {}},
        {5, 3, 6, 8, true, {}},          {5, 3, 6, 16, false, {}},
        {32, 32, 6, 8, false, {}},       {5, 3, 0, 8, false, {}, 30000, 30000},
    };
    for (const fuzz::RawPng& raw : raws)
        seeds.Write(QStringLiteral("png"),
                    QStringLiteral("raw-%1x%2-type%3-depth%4%5%6.png")
                        .arg(raw.claimedWidth ? raw.claimedWidth : raw.width)
                        .arg(raw.claimedHeight ? raw.claimedHeight : raw.height)
                        .arg(raw.colourType)
                        .arg(raw.bitDepth)
                        .arg(raw.interlaced ? QStringLiteral("-interlaced") : QString())
                        .arg(raw.transparency.isEmpty() ? QString() : QStringLiteral("-trns")),
                    fuzz::PngFile(raw));
    seeds.Write(QStringLiteral("png"), QStringLiteral("sprite8.png"),
                SpritePngBytes(Pattern("Ball", 8, 0, false), 1));
    seeds.Write(QStringLiteral("png"), QStringLiteral("sprite16x2.png"),
                SpritePngBytes(Pattern("Wall", 16, 2, false), 2));
}

// Hand-made headers in the forms people edit them into.
void WriteHandHeaders(Seeds& seeds) {
    seeds.Write(QStringLiteral("header"), QStringLiteral("hand-edited.h"),
                "#pragma once\n/* sprites */\n// made by hand\n"
                "static const unsigned char Ball_PlaneDark[8][1] = {\n"
                "  {0xC0},{0x00},{0x00},{0x00},\n  {0x00},{0x00},{0x00},{0x00}};\n"
                "const unsigned char Ball_PlaneLight[8][1] = {{0xA0},{0x00},{0x00},{0x00},"
                "{0x00},{0x00},{0x00},{0x00}}; int other = 3;\n"
                "Ball_PlaneMask = {{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},{~0x00},"
                "{~0x01}};\n");
    seeds.Write(QStringLiteral("header"), QStringLiteral("utf8-bom.h"),
                "\xEF\xBB\xBFM\xC3\xBC"
                "de_PlaneDark = };\r\nM\xC3\xBC"
                "de_PlaneLight = };\r\n"
                "M\xC3\xBC"
                "de_PlaneMask = };\r\n\r\n");
}

void WriteJournals(Seeds& seeds, const SpriteTable& table) {
    const SpriteRecord added = Pattern("Added", 16, 4, true);
    const SpriteRecord painted = Pattern(table.Record(0).Name, 32, 1, true);
    const SpriteRecord imported[] = {Pattern("First", 8, 2, false), Pattern("Second", 0, 0, false)};
    QByteArray journal = JournalLine(
        BaseRecord(kTime, QStringLiteral("Demo"), QStringLiteral("/home/me/Demo.vellicor"), table));
    seeds.Write(QStringLiteral("journal"), QStringLiteral("base.journal"), journal);
    journal += JournalLine(StepRecord(kTime + 1, 1, 0, painted, {0}));
    journal += JournalLine(StepRecord(kTime + 2, 2, table.SpriteCount(), added, {0, 3}));
    journal +=
        JournalLine(AddedSpritesRecord(kTime + 3, 3, table.SpriteCount() + 1, imported, {0}));
    journal += JournalLine(KeptSpritesRecord(kTime + 4, 4, 2, {1}));
    journal += JournalLine(ProjectNameRecord(kTime + 5, 5, QStringLiteral("Game"), {1}));
    // The two sprites left swapped, with a sprite put in between them.
    SpriteTable rearranged;
    for (const SpriteRecord& sprite : {painted, added, painted})
        rearranged.AppendRecord(sprite);
    journal += JournalLine(OrderRecord(kTime + 6, 6, std::vector{1, -1, 0}, rearranged, {0, 2}));
    seeds.Write(QStringLiteral("journal"), QStringLiteral("steps.journal"), journal);
    // A crash mid-write leaves the last line cut short.
    seeds.Write(QStringLiteral("journal"), QStringLiteral("torn.journal"), journal.chopped(7));
    seeds.Write(
        QStringLiteral("journal"), QStringLiteral("unsaved.journal"),
        JournalLine(BaseRecord(kTime, QStringLiteral("Untitled"), QString(), SpriteTable())));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    Seeds seeds{QDir(QString::fromLocal8Bit(argv[1]))};
    // Names from the awkward corners the rules allow: punctuation C gives meaning to, a plane
    // suffix inside, Latin-1 and beyond.
    const SpriteTable tables[] = {
        Table({}),
        Table({Pattern("Ball", 8, 0, true)}),
        Table({Pattern("Ball", 8, 0, true), Pattern("Wall", 16, 1, false),
               Pattern("Hero", 32, 2, true), Pattern("Blank", 0, 3, false)}),
        Table({Pattern("a;", 8, 0, false), Pattern("a//b", 8, 1, false),
               Pattern("x_PlaneDark", 16, 2, false),
               Pattern("M\xC3\xBC"
                       "de",
                       8, 3, false),
               Pattern("x\xCE\xA9", 8, 4, false), Pattern("q=\"{},#", 8, 0, false)}),
    };
    const char* projectNames[] = {"Empty", "Demo", "Sizes", "Awkward \xE2\x80\x94 names"};
    for (int i = 0; i < 4; ++i) {
        const QString file = QStringLiteral("seed%1").arg(i);
        seeds.Write(QStringLiteral("project"), file + QStringLiteral(".vellicor"),
                    ProjectFileBytes(QString::fromUtf8(projectNames[i]), tables[i]));
        seeds.Write(QStringLiteral("header"), file + QStringLiteral(".h"),
                    QByteArray::fromStdString(HeaderText(tables[i])));
    }
    // Any layout of white space, keys in any order, "open" left out, a key Vellicor ignores.
    seeds.Write(
        QStringLiteral("project"), QStringLiteral("hand-written.vellicor"),
        R"({"sprites":[{"size":8,"name":"Ball","mask":[)" +
            QByteArray(R"("00000000",)").repeated(31) + R"("00000000"],"dark":[)" +
            QByteArray(R"("C0000000",)").repeated(31) + R"("00000000"],"light":[)" +
            QByteArray(R"("A0000000",)").repeated(31) +
            R"("00000000"],"colour":"blue"}],"version":1,"name":"Hand","format":"vellicor-project"})");
    WriteHandHeaders(seeds);
    WriteJournals(seeds, tables[2]);
    WriteImages(seeds);
    std::printf("%d seeds written to %s\n", seeds.written, argv[1]);
    return 0;
}
