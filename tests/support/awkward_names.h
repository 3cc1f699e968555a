#pragma once

#include <QStringList>

// Sprite names the rules allow that C would read as something else: the end of a statement, a
// comment, an initialiser, a directive, array bounds, another plane's suffix; and names outside
// ASCII, one of them beyond Latin-1, which a header holds as "?".
inline const QStringList kAwkwardSpriteNames = {
    "a;",        "ab;",     "a};", "a;b",          "x;Ball",
    "a//",       "a/*b",    "a/*", "a*/",          "a=b",
    "a{",        "a}",      "a,b", "a\"b",         "a'b",
    "a#b",       "a[8]",    "a\\", "a_PlaneDarkb", "Ball_PlaneLight",
    "B\u00e4ll", "a\u03a9b"};
