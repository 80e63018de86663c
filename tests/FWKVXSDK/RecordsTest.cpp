#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "FWKVXSDK/BulkJobStatus.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/PcData.h"
#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"

TEST(SettingDataRecord, NewRecordHasDefaultsWithResolutionDpi200)
{
    SettingData job;
    EXPECT_EQ(job.jobNo(), std::optional<std::string>(""));
    EXPECT_EQ(job.jobName(), "");
    EXPECT_EQ(job.colorMode(), 0);
    EXPECT_EQ(job.paperSize(), 0);
    EXPECT_EQ(job.resolution(), 1);
    EXPECT_EQ(job.readingSurface(), 0);
    EXPECT_EQ(job.fileFormat(), 0);
    ASSERT_NE(job.sendSetting(), nullptr);
    EXPECT_EQ(job.sendSetting()->destinationType(), 0);
    EXPECT_EQ(job.sendSetting()->userName(), "");
    EXPECT_EQ(job.sendSetting()->password(), "");
    EXPECT_EQ(job.sendSetting()->sendPath(), "");
    EXPECT_NE(SettingData().sendSetting(), job.sendSetting()) << "each record owns its destination";
}

TEST(SettingDataRecord, InitWithDataCopiesEverythingIncludingDestination)
{
    SettingData source;
    source.setJobNo("12");
    source.setJobName("Invoices");
    source.setColorMode(ColorMode::Monochrome);
    source.setPaperSize(PaperSize::A4);
    source.setResolution(Resolution::Dpi300);
    source.setReadingSurface(ReadingSurface::BothSide);
    source.setFileFormat(FileFormat::Tiff);
    source.sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    source.sendSetting()->setUserName("dom\\user");
    source.sendSetting()->setPassword("secret");
    source.sendSetting()->setSendPath("\\\\srv\\share");

    auto copy = SettingData::initWithData(source);
    EXPECT_EQ(copy->jobNo(), std::optional<std::string>("12"));
    EXPECT_EQ(copy->jobName(), "Invoices");
    EXPECT_EQ(copy->colorMode(), 2);
    EXPECT_EQ(copy->paperSize(), 2);
    EXPECT_EQ(copy->resolution(), 3);
    EXPECT_EQ(copy->readingSurface(), 2);
    EXPECT_EQ(copy->fileFormat(), 3);
    EXPECT_EQ(copy->sendSetting()->destinationType(), 1);
    EXPECT_EQ(copy->sendSetting()->userName(), "dom\\user");
    EXPECT_EQ(copy->sendSetting()->password(), "secret");
    EXPECT_EQ(copy->sendSetting()->sendPath(), "\\\\srv\\share");

    source.setJobNo(std::nullopt);
    auto absentCopy = SettingData::initWithData(source);
    EXPECT_FALSE(absentCopy->jobNo().has_value()) << "an absent number stays absent";
}

TEST(KeywordTables, LookupsAreExactAndFallBackToDefaults)
{
    EXPECT_EQ(ColorModeTable().enumFromString(std::string("Gray")), 1);
    EXPECT_EQ(ColorModeTable().enumFromString(std::string("gray")), 0);
    EXPECT_EQ(ColorModeTable().enumFromString(std::string(" Gray")), 0);
    EXPECT_EQ(ColorModeTable().enumFromString(std::nullopt), 0);
    EXPECT_EQ(ResolutionTable().enumFromString(std::string("Dpi600"), 3), 3);
    EXPECT_EQ(ResolutionTable().enumFromString(std::nullopt, 2), 2);
    EXPECT_EQ(ResolutionTable().enumFromString(std::string("Dpi240"), 3), 2);
    EXPECT_EQ(FileFormatTable().stringFromEnum(1), std::optional<std::string>("PdfOcr"));
    EXPECT_EQ(DestinationTable().stringFromEnum(1), std::optional<std::string>("DeviceStorage"));
}

TEST(KeywordTables, ValuesOutsideATableHaveNoKeyword)
{
    EXPECT_EQ(FileFormatTable().stringFromEnum(4), std::nullopt);
    EXPECT_EQ(FileFormatTable().stringFromEnum(-1), std::nullopt);
    EXPECT_EQ(DestinationTable().stringFromEnum(INT64_MAX), std::nullopt);
    EXPECT_EQ(ColorModeTable().stringFromEnum(INT64_MIN), std::nullopt);
}

TEST(KeywordTables, TablesHoldTheStoredKeywordsInOrder)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(ColorModeTable().keywords(), (V{"Color", "Gray", "Monochrome"}));
    EXPECT_EQ(PaperSizeTable().keywords(), (V{"Auto", "Letter", "A4"}));
    EXPECT_EQ(ResolutionTable().keywords(), (V{"Dpi150", "Dpi200", "Dpi240", "Dpi300"}));
    EXPECT_EQ(ReadingSurfaceTable().keywords(), (V{"SkipWhite", "SingleSide", "BothSide"}));
    EXPECT_EQ(FileFormatTable().keywords(), (V{"Pdf", "PdfOcr", "Jpeg", "Tiff"}));
    EXPECT_EQ(DestinationTable().keywords(), (V{"ShareFolder", "DeviceStorage"}));
}

TEST(ScannerRecords, NewRecordsStartEmpty)
{
    ScannerData scanner;
    EXPECT_FALSE(scanner.scannerId());
    EXPECT_FALSE(scanner.scannerName());
    EXPECT_FALSE(scanner.scannerIp());
    EXPECT_FALSE(scanner.connectId());
    EXPECT_FALSE(scanner.time());
    EXPECT_EQ(scanner.status(), 0);
    EXPECT_EQ(scanner.internalStatus(), 0);
    EXPECT_EQ(scanner.internalCode(), 0);

    BulkJobStatus item;
    EXPECT_EQ(item.jobNo(), 0);
    EXPECT_EQ(item.scannerName(), "");
    EXPECT_EQ(item.request(), "");
}

TEST(ScannerRecords, IdentifiersKeepTheirJsonType)
{
    ScannerData scanner;
    scanner.setConnectId(JsonIdentifier::fromNumber("12"));
    EXPECT_TRUE(scanner.connectId()->isNumber);
    EXPECT_EQ(scanner.connectId()->text, "12");
    scanner.setConnectId(JsonIdentifier::fromString("12"));
    EXPECT_FALSE(scanner.connectId()->isNumber);
    EXPECT_NE(JsonIdentifier::fromString("12"), JsonIdentifier::fromNumber("12"));
}

TEST(ScannerRecords, ConcurrentReadersNeverSeeATornValue)
{
    ScannerData scanner;
    const std::string a(64, 'a');
    const std::string b(64, 'b');
    scanner.setScannerName(a);
    std::atomic<bool> torn{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            scanner.setScannerName(i % 2 ? a : b);
        }
    });
    for (int i = 0; i < 20000; ++i) {
        auto name = scanner.scannerName();
        if (!name || (*name != a && *name != b)) {
            torn = true;
        }
    }
    writer.join();
    EXPECT_FALSE(torn);
}

TEST(PcRecords, JobListKeepsOrderAndNeverReadsOutside)
{
    PcData pc;
    EXPECT_EQ(pc.Count(), 0);
    EXPECT_FALSE(pc.FpcId());
    auto first = std::make_shared<PcJobData>();
    auto second = std::make_shared<PcJobData>();
    EXPECT_EQ(first->FpcJobNo(), 0);
    EXPECT_FALSE(first->FpcJobName());
    pc.Add(first);
    pc.Add(second);
    EXPECT_EQ(pc.Count(), 2);
    EXPECT_EQ(pc.ObjectAtIndex(0), first);
    EXPECT_EQ(pc.ObjectAtIndex(1), second);
    EXPECT_EQ(pc.ObjectAtIndex(2), nullptr);
    EXPECT_EQ(pc.ObjectAtIndex(-1), nullptr);
    pc.Clear();
    EXPECT_EQ(pc.Count(), 0);
}
