#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The scanner's own request values for a job's settings. Each takes the job's
// table position (EnumExtensions.h) and gives the value to send, or absent for
// a position outside its table (the member is then left out of the body).
class ScannerSettingValues {
public:
    static std::optional<int64_t> colormode(int64_t colorMode);         // Color 4, Gray 3, Monochrome 1
    static std::optional<int64_t> scanside(int64_t readingSurface);     // SkipWhite 2, SingleSide 0, BothSide 1
    static std::optional<int64_t> resolution(int64_t resolution);       // 150, 200, 240, 300
    static std::optional<std::string> pagesize(int64_t paperSize);      // "AUTO", "LETTER", "A4"
    static std::optional<int64_t> fileformat(int64_t fileFormat);       // Pdf 2, PdfOcr 2, Jpeg 3, Tiff 4
    static std::optional<int64_t> pdfOcr(int64_t fileFormat);           // Pdf 0, PdfOcr 1, none otherwise
    static std::optional<int64_t> download(int64_t destinationType);    // ShareFolder 0, DeviceStorage 1
    static std::optional<int64_t> autosize(int64_t paperSize);          // 1 for Auto, else 0 (also deskew)
    static bool isShareFolder(int64_t destinationType);

    // Share-folder texts as the scanner expects them: every backslash becomes '/'
    // in the user name; every backslash and yen sign (U+00A5) in the path.
    // Nothing else changes.
    static std::string shareUserName(const std::string& userName);
    static std::string sharePath(const std::string& path);
};
