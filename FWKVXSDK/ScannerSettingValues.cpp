#include "FWKVXSDK/ScannerSettingValues.h"

#include <array>

#include "FWKVXSDK/EnumExtensions.h"

namespace {
template <typename T, size_t N>
std::optional<T> pick(const std::array<T, N>& values, int64_t position)
{
    if (position < 0 || position >= static_cast<int64_t>(N)) {
        return std::nullopt;
    }
    return values[static_cast<size_t>(position)];
}
} // namespace

std::optional<int64_t> ScannerSettingValues::colormode(int64_t colorMode)
{
    return pick(std::array<int64_t, 3>{4, 3, 1}, colorMode);
}

std::optional<int64_t> ScannerSettingValues::scanside(int64_t readingSurface)
{
    return pick(std::array<int64_t, 3>{2, 0, 1}, readingSurface);
}

std::optional<int64_t> ScannerSettingValues::resolution(int64_t resolution)
{
    return pick(std::array<int64_t, 4>{150, 200, 240, 300}, resolution);
}

std::optional<std::string> ScannerSettingValues::pagesize(int64_t paperSize)
{
    return pick(std::array<std::string, 3>{"AUTO", "LETTER", "A4"}, paperSize);
}

std::optional<int64_t> ScannerSettingValues::fileformat(int64_t fileFormat)
{
    return pick(std::array<int64_t, 4>{2, 2, 3, 4}, fileFormat);
}

std::optional<int64_t> ScannerSettingValues::pdfOcr(int64_t fileFormat)
{
    return pick(std::array<int64_t, 2>{0, 1}, fileFormat);
}

std::optional<int64_t> ScannerSettingValues::download(int64_t destinationType)
{
    return pick(std::array<int64_t, 2>{0, 1}, destinationType);
}

std::optional<int64_t> ScannerSettingValues::autosize(int64_t paperSize)
{
    return pick(std::array<int64_t, 3>{1, 0, 0}, paperSize);
}

bool ScannerSettingValues::isShareFolder(int64_t destinationType)
{
    return destinationType == DestinationType::ShareFolder;
}

std::string ScannerSettingValues::shareUserName(const std::string& userName)
{
    std::string converted = userName;
    for (char& c : converted) {
        if (c == '\\') {
            c = '/';
        }
    }
    return converted;
}

std::string ScannerSettingValues::sharePath(const std::string& path)
{
    // U+00A5 is the two bytes C2 A5 in UTF-8; a lone A5 or C2 is left alone.
    std::string converted;
    converted.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\') {
            converted += '/';
        } else if (path[i] == '\xC2' && i + 1 < path.size() && path[i + 1] == '\xA5') {
            converted += '/';
            ++i;
        } else {
            converted += path[i];
        }
    }
    return converted;
}
