#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FWKVXSDK/FWKVXSDKExport.h"

// An ordered list of keywords. An enumerated job setting's value is the
// zero-based position of its keyword in its table; nothing else maps values
// to keywords, so reordering a table changes stored files and requests alike.
class FWKVXSDK_EXPORT EnumExtensions {
public:
    explicit EnumExtensions(std::vector<std::string> keywords);

    // The keyword at that position; absent for a value outside the table.
    std::optional<std::string> stringFromEnum(int64_t value) const;
    // Position of the first keyword equal to the given one (exact, case-sensitive), else 0.
    int64_t enumFromString(const std::optional<std::string>& keyword) const;
    // Position of the first keyword equal to the given one, else def.
    int64_t enumFromString(const std::optional<std::string>& keyword, int64_t def) const;

    const std::vector<std::string>& keywords() const { return mKeywords; }
    int64_t count() const { return static_cast<int64_t>(mKeywords.size()); }

private:
    std::vector<std::string> mKeywords;
};

// The six fixed keyword tables of a job.
FWKVXSDK_EXPORT const EnumExtensions& ColorModeTable();      // Color, Gray, Monochrome
FWKVXSDK_EXPORT const EnumExtensions& PaperSizeTable();      // Auto, Letter, A4
FWKVXSDK_EXPORT const EnumExtensions& ResolutionTable();     // Dpi150, Dpi200, Dpi240, Dpi300
FWKVXSDK_EXPORT const EnumExtensions& ReadingSurfaceTable(); // SkipWhite, SingleSide, BothSide
FWKVXSDK_EXPORT const EnumExtensions& FileFormatTable();     // Pdf, PdfOcr, Jpeg, Tiff
FWKVXSDK_EXPORT const EnumExtensions& DestinationTable();    // ShareFolder, DeviceStorage

// Positions in those tables, for code that decides on a setting.
namespace ColorMode { enum : int64_t { Color = 0, Gray = 1, Monochrome = 2 }; }
namespace PaperSize { enum : int64_t { Auto = 0, Letter = 1, A4 = 2 }; }
namespace Resolution { enum : int64_t { Dpi150 = 0, Dpi200 = 1, Dpi240 = 2, Dpi300 = 3 }; }
namespace ReadingSurface { enum : int64_t { SkipWhite = 0, SingleSide = 1, BothSide = 2 }; }
namespace FileFormat { enum : int64_t { Pdf = 0, PdfOcr = 1, Jpeg = 2, Tiff = 3 }; }
namespace DestinationType { enum : int64_t { ShareFolder = 0, DeviceStorage = 1 }; }
