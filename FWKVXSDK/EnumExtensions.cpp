#include "FWKVXSDK/EnumExtensions.h"

#include <utility>

EnumExtensions::EnumExtensions(std::vector<std::string> keywords) : mKeywords(std::move(keywords)) {}

std::optional<std::string> EnumExtensions::stringFromEnum(int64_t value) const
{
    if (value < 0 || value >= count()) {
        return std::nullopt;
    }
    return mKeywords[static_cast<size_t>(value)];
}

int64_t EnumExtensions::enumFromString(const std::optional<std::string>& keyword) const
{
    return enumFromString(keyword, 0);
}

int64_t EnumExtensions::enumFromString(const std::optional<std::string>& keyword, int64_t def) const
{
    if (!keyword) {
        return def;
    }
    for (size_t i = 0; i < mKeywords.size(); ++i) {
        if (mKeywords[i] == *keyword) {
            return static_cast<int64_t>(i);
        }
    }
    return def;
}

const EnumExtensions& ColorModeTable()
{
    static const EnumExtensions table({"Color", "Gray", "Monochrome"});
    return table;
}

const EnumExtensions& PaperSizeTable()
{
    static const EnumExtensions table({"Auto", "Letter", "A4"});
    return table;
}

const EnumExtensions& ResolutionTable()
{
    static const EnumExtensions table({"Dpi150", "Dpi200", "Dpi240", "Dpi300"});
    return table;
}

const EnumExtensions& ReadingSurfaceTable()
{
    static const EnumExtensions table({"SkipWhite", "SingleSide", "BothSide"});
    return table;
}

const EnumExtensions& FileFormatTable()
{
    static const EnumExtensions table({"Pdf", "PdfOcr", "Jpeg", "Tiff"});
    return table;
}

const EnumExtensions& DestinationTable()
{
    static const EnumExtensions table({"ShareFolder", "DeviceStorage"});
    return table;
}
