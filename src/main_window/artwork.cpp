#include "artwork.h"

#include <QImage>
#include <QLatin1String>
#include <array>
#include <span>
#include <string_view>

namespace vellicor {

namespace {

constexpr int kSide = 16;
constexpr int kAboutScale = 6;

// One row per string, one character per pixel.
using Art = std::array<std::string_view, kSide>;

struct Ink {
    char key;
    QRgb colour;
};

// '.' is transparent. Pale grey is 208 rather than 192 because the toolbar treats 192 grey as
// its transparent key colour.
constexpr Ink kInks[] = {
    {'k', qRgb(0, 0, 0)},       {'d', qRgb(128, 128, 128)}, {'g', qRgb(160, 160, 160)},
    {'l', qRgb(208, 208, 208)}, {'w', qRgb(255, 255, 255)}, {'y', qRgb(248, 208, 64)},
    {'Y', qRgb(192, 144, 32)},  {'h', qRgb(255, 240, 160)}, {'b', qRgb(48, 96, 208)},
    {'r', qRgb(208, 48, 48)},   {'o', qRgb(232, 136, 40)},  {'p', qRgb(240, 152, 168)},
    {'n', qRgb(224, 184, 128)}, {'c', qRgb(96, 208, 224)},
};

constexpr bool IsInk(char key) {
    for (const Ink& ink : kInks)
        if (ink.key == key)
            return true;
    return key == '.';
}

QRgb Colour(char key) {
    for (const Ink& ink : kInks)
        if (ink.key == key)
            return ink.colour;
    return qRgba(0, 0, 0, 0);
}

// A short row or a mistyped ink would silently distort a picture, so catch both when compiling.
constexpr bool IsWellFormed(const Art& art) {
    for (std::string_view row : art) {
        if (row.size() != kSide)
            return false;
        for (char key : row)
            if (!IsInk(key))
                return false;
    }
    return true;
}

QImage ToImage(const Art& art) {
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            image.setPixel(x, y, Colour(art[y][x]));
    return image;
}

constexpr Art kNew = {
    "................", "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwklk....",
    "..kwwwwwwkllk...", "..kwwwwwwkkkkk..", "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..", "................",
};

constexpr Art kOpen = {
    "................", "................", "................", ".kkkk...........",
    "kYYYYk..........", "kYYYYYkkkkkkk...", "kYYYYYYYYYYYk...", "kYYYkkkkkkkkkkkk",
    "kYYkyyyyyyyyyyk.", "kYkyyyyyyyyyyk..", "kkyyyyyyyyyyk...", "kyyyyyyyyyyk....",
    "kkkkkkkkkkk.....", "................", "................", "................",
};

constexpr Art kSave = {
    "................", ".kkkkkkkkkkkkk..", ".kbbkggggggkbbk.", ".kbbkggddggkbbk.",
    ".kbbkggddggkbbk.", ".kbbkggggggkbbk.", ".kbbbkkkkkkbbbk.", ".kbbbbbbbbbbbbk.",
    ".kbbkkkkkkkkbbk.", ".kbkwwwwwwwwkbk.", ".kbkwddddddwkbk.", ".kbkwwwwwwwwkbk.",
    ".kbkwddddddwkbk.", ".kbkwwwwwwwwkbk.", ".kkkkkkkkkkkkkk.", "................",
};

constexpr Art kPencil = {
    ".............kk.", "............kppk", "...........kppk.", "..........kggk..",
    ".........kggk...", "........kyok....", ".......kyok.....", "......kyok......",
    ".....kyok.......", "....kyok........", "...knnk.........", "..knnk..........",
    "..kkk...........", ".kk.............", "................", "................",
};

constexpr Art kEraser = {
    "................", "................", "................", "........kkkkkkk.",
    ".......kwwwkpppk", "......kwwwkpppk.", ".....kwwwkpppk..", "....kwwwkpppk...",
    "...kkkkkkkkkk...", "...kllllkrrrk...", "...kkkkkkkkkk...", "................",
    "................", "................", "................", "................",
};

constexpr Art kCircle = {
    "................", ".....kkkkkk.....", "...kk......kk...", "..k..........k..",
    "..k..........k..", ".k............k.", ".k............k.", ".k............k.",
    ".k............k.", ".k............k.", ".k............k.", "..k..........k..",
    "..k..........k..", "...kk......kk...", ".....kkkkkk.....", "................",
};

constexpr Art kRectangle = {
    "................", "................", "................", ".kkkkkkkkkkkkkk.",
    ".k............k.", ".k............k.", ".k............k.", ".k............k.",
    ".k............k.", ".k............k.", ".k............k.", ".k............k.",
    ".kkkkkkkkkkkkkk.", "................", "................", "................",
};

constexpr Art kFill = {
    "................", "...kkk..........", "..k...k.........", ".k...kbk........",
    ".k..kwbbk.......", ".k.kwwwbbk......", ".kkwwwwwbbk.....", ".kwwwwwwgbbk....",
    "..kwwwwgggkb....", "...kwwgggk.b....", "....kwggk..b....", ".....kgk..bbb...",
    "......k..bbbbb..", "................", "................", "................",
};

// A dashed box, as the canvas outlines a selection.
constexpr Art kSelect = {
    "................", "................", ".kk.kk.kk.kk.kk.", "................",
    ".k............k.", ".k............k.", "................", ".k............k.",
    ".k............k.", "................", ".k............k.", ".k............k.",
    "................", ".kk.kk.kk.kk.kk.", "................", "................",
};

constexpr Art kCompile = {
    "................", "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwklk....",
    "..kwwwwwwkllk...", "..kwwwwwwkkkkk..", "..kwwwwwwwwwwk..", "..kwwbbwwbbwwk..",
    "..kwwbwwwwbwwk..", "..kwwbwwwwbwwk..", "..kwbwwwwwwbwk..", "..kwwbwwwwbwwk..",
    "..kwwbwwwwbwwk..", "..kwwbbwwbbwwk..", "..kkkkkkkkkkkk..", "................",
};

constexpr Art kFolder = {
    "................", "................", ".kkkk...........", "kYYYYk..........",
    "kYYYYYkkkkkkkkkk", "khhhhhhhhhhhhhhk", "kyyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyyk",
    "kyyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyyk", "kyyyyyyyyyyyyyyk",
    "kYYYYYYYYYYYYYYk", "kkkkkkkkkkkkkkkk", "................", "................",
};

constexpr Art kItem = {
    "................", ".kkkkkkkkkkkkkk.", ".kdddllldddlllk.", ".kdddllldddlllk.",
    ".kdddllldddlllk.", ".kllldddllldddk.", ".kllldddllldddk.", ".kllldddllldddk.",
    ".kdddllldddlllk.", ".kdddllldddlllk.", ".kdddllldddlllk.", ".kllldddllldddk.",
    ".kllldddllldddk.", ".kllldddllldddk.", ".kkkkkkkkkkkkkk.", "................",
};

// A round grey creature on an opaque cyan ground.
constexpr Art kMascot = {
    "cccccccccccccccc", "cccccckkkkcccccc", "cccckkwwllkkcccc", "ccckwwllllllkccc",
    "cccklwkllwkdkccc", "cckwlkkllkkldkcc", "cckllkkllkkldkcc", "cckllkllllkddkcc",
    "ccklllkkkkdddkcc", "ccckllllldddkccc", "ccckllddddddkccc", "cccckkddddkkcccc",
    "cccccckkkkcccccc", "ccckddkcckddkccc", "ccckkkkcckkkkccc", "cccccccccccccccc",
};

struct NamedArt {
    const char* key;
    const Art* art;
};

constexpr NamedArt kToolbarArt[] = {
    {"New", &kNew},       {"Open", &kOpen},       {"Save", &kSave},           {"Pencil", &kPencil},
    {"Eraser", &kEraser}, {"Circle", &kCircle},   {"Rectangle", &kRectangle}, {"Fill", &kFill},
    {"Select", &kSelect}, {"Compile", &kCompile},
};

constexpr NamedArt kTreeArt[] = {{"Folder", &kFolder}, {"Item", &kItem}};

constexpr bool AllWellFormed(std::span<const NamedArt> table) {
    for (const NamedArt& entry : table)
        if (!IsWellFormed(*entry.art))
            return false;
    return true;
}

static_assert(AllWellFormed(kToolbarArt));
static_assert(AllWellFormed(kTreeArt));
static_assert(IsWellFormed(kMascot));

QIcon Lookup(std::span<const NamedArt> table, const QString& key) {
    for (const NamedArt& entry : table)
        if (key == QLatin1String(entry.key))
            return QIcon(QPixmap::fromImage(ToImage(*entry.art)));
    return {};
}

} // namespace

QIcon ToolbarIcon(const QString& key) {
    return Lookup(kToolbarArt, key);
}

QIcon TreeIcon(const QString& key) {
    QIcon icon = Lookup(kTreeArt, key);
    // A selected node shows its image as it is, not tinted by the style.
    if (!icon.isNull())
        icon.addPixmap(icon.pixmap(kSide, kSide), QIcon::Selected);
    return icon;
}

QPixmap AboutPicture() {
    // Nearest-neighbour keeps the pixels crisp instead of blurring them.
    const QImage image = ToImage(kMascot);
    return QPixmap::fromImage(image.scaled(kSide * kAboutScale, kSide * kAboutScale,
                                           Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace vellicor
