#pragma once

#include <QLatin1String>
#include <array>

namespace vellicor::project_keys {

// Names in .vellicor files, for their writer and reader, and for the recovery journal where it
// holds the same things.
inline constexpr QLatin1String kFormat("format");
inline constexpr QLatin1String kFormatName("vellicor-project");
inline constexpr QLatin1String kVersion("version");
inline constexpr int kVersionWritten = 1;
inline constexpr QLatin1String kName("name");
// Written only when it is not "plain", so a project that never chose a style keeps the bytes
// earlier versions wrote, and their files read as plain.
inline constexpr QLatin1String kHeaderStyle("headerStyle");
inline constexpr QLatin1String kSprites("sprites");
inline constexpr QLatin1String kSize("size");
inline constexpr QLatin1String kOpen("open");
inline constexpr QLatin1String kDark("dark");
inline constexpr QLatin1String kLight("light");
inline constexpr QLatin1String kMask("mask");
inline constexpr std::array kAllKeys{kFormat, kVersion, kName,  kSprites, kSize,
                                     kOpen,   kDark,    kLight, kMask,    kHeaderStyle};

} // namespace vellicor::project_keys
