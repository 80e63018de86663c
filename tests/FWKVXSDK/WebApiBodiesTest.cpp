// Request bodies, value mappings and the reading of answers, without a network.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobTitleEncoder.h"
#include "FWKVXSDK/ScannerSettingValues.h"
#include "FWKVXSDK/WebApiClient.h"
#include "FWKVXSDK/WebApiResponse.h"
#include "FWKVXSDK/WebApiUrl.h"

using nlohmann::json;

namespace {
std::shared_ptr<SettingData> shareFolderJob()
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo("12");
    job->setJobName("Invoices");
    job->sendSetting()->setUserName("dom\\user");
    job->sendSetting()->setPassword("s3cret\\x");
    job->sendSetting()->setSendPath("\\\\srv\\share\\in");
    return job;
}

std::shared_ptr<ScannerData> lockedScanner(JsonIdentifier connection)
{
    auto scanner = std::make_shared<ScannerData>();
    scanner->setConnectId(std::move(connection));
    return scanner;
}

std::string compact(const json& body)
{
    return body.dump();
}
} // namespace

// ---- Integer and identifier reading -------------------------------------------------

TEST(WebApiResponseReading, TextIntegersReadSpacesSignAndLeadingDigitsOnly)
{
    EXPECT_EQ(WebApiResponse::readInteger("-4400"), -4400);
    EXPECT_EQ(WebApiResponse::readInteger("   -4400"), -4400);
    EXPECT_EQ(WebApiResponse::readInteger("+12"), 12);
    EXPECT_EQ(WebApiResponse::readInteger("12abc"), 12);
    EXPECT_EQ(WebApiResponse::readInteger("007"), 7);
    EXPECT_EQ(WebApiResponse::readInteger("abc"), 0);
    EXPECT_EQ(WebApiResponse::readInteger(""), 0);
    EXPECT_EQ(WebApiResponse::readInteger("-"), 0);
    EXPECT_EQ(WebApiResponse::readInteger("- 5"), 0) << "no spaces between sign and digits";
    EXPECT_EQ(WebApiResponse::readInteger("\t5"), 0) << "only spaces are skipped";
}

TEST(WebApiResponseReading, TextIntegersSaturateInsteadOfOverflowing)
{
    EXPECT_EQ(WebApiResponse::readInteger("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(WebApiResponse::readInteger("99999999999999999999999"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(WebApiResponse::readInteger("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(WebApiResponse::readInteger("-99999999999999999999999"), std::numeric_limits<int64_t>::min());
}

TEST(WebApiResponseReading, IntegerMembersComeFromNumbersOrTextAndOtherTypesAreMissing)
{
    json object = json::parse(R"({"i":-4400,"t":" 12x","f":5.9,"nf":-5.9,"big":1e300,"u":18446744073709551615,
                                  "b":true,"n":null,"a":[1],"o":{"v":1}})");
    EXPECT_EQ(WebApiResponse::integer(object, "i"), -4400);
    EXPECT_EQ(WebApiResponse::integer(object, "t"), 12);
    EXPECT_EQ(WebApiResponse::integer(object, "f"), 5);
    EXPECT_EQ(WebApiResponse::integer(object, "nf"), -5);
    EXPECT_EQ(WebApiResponse::integer(object, "big"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(WebApiResponse::integer(object, "u"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(WebApiResponse::integer(object, "b"), std::nullopt);
    EXPECT_EQ(WebApiResponse::integer(object, "n"), std::nullopt);
    EXPECT_EQ(WebApiResponse::integer(object, "a"), std::nullopt);
    EXPECT_EQ(WebApiResponse::integer(object, "o"), std::nullopt);
    EXPECT_EQ(WebApiResponse::integer(object, "missing"), std::nullopt);
}

TEST(WebApiResponseReading, IdentifiersKeepStringOrIntegerTypeAndRefuseOthers)
{
    json object = json::parse(R"({"s":"12","i":12,"neg":-3,"f":1.5,"b":false,"n":null,"o":{}})");
    EXPECT_EQ(WebApiResponse::identifier(object, "s"), JsonIdentifier::fromString("12"));
    EXPECT_EQ(WebApiResponse::identifier(object, "i"), JsonIdentifier::fromNumber("12"));
    EXPECT_EQ(WebApiResponse::identifier(object, "neg"), JsonIdentifier::fromNumber("-3"));
    EXPECT_EQ(WebApiResponse::identifier(object, "f"), std::nullopt);
    EXPECT_EQ(WebApiResponse::identifier(object, "b"), std::nullopt);
    EXPECT_EQ(WebApiResponse::identifier(object, "n"), std::nullopt);
    EXPECT_EQ(WebApiResponse::identifier(object, "o"), std::nullopt);

    EXPECT_EQ(compact(WebApiResponse::identifierJson(JsonIdentifier::fromNumber("12"))), "12");
    EXPECT_EQ(compact(WebApiResponse::identifierJson(JsonIdentifier::fromString("12"))), "\"12\"");
    EXPECT_EQ(compact(WebApiResponse::identifierJson(JsonIdentifier::fromNumber("18446744073709551615"))),
              "18446744073709551615");
}

TEST(WebApiResponseReading, OnlyAStatus200WithABodyIsUsableAndOnlyObjectsCountAsJson)
{
    EXPECT_TRUE((WebApiResponse{200, "{}", {}, {}}.usable()));
    EXPECT_FALSE((WebApiResponse{200, "", {}, {}}.usable()));
    EXPECT_FALSE((WebApiResponse{201, "{}", {}, {}}.usable()));
    EXPECT_FALSE((WebApiResponse{0, "{}", {}, {}}.usable()));

    EXPECT_TRUE((WebApiResponse{200, R"({"a":1})", {}, {}}.object().has_value()));
    EXPECT_FALSE((WebApiResponse{200, "[1,2]", {}, {}}.object().has_value()));
    EXPECT_FALSE((WebApiResponse{200, "\"text\"", {}, {}}.object().has_value()));
    EXPECT_FALSE((WebApiResponse{200, "<html>busy</html>", {}, {}}.object().has_value()));
    EXPECT_FALSE((WebApiResponse{200, "{\"a\":1} trailing", {}, {}}.object().has_value()));
    EXPECT_FALSE((WebApiResponse{200, "{\"a\":\"\xFF\"}", {}, {}}.object().has_value())) << "invalid UTF-8 is not JSON";
}

TEST(WebApiResponseReading, DeeplyNestedAnswersNeitherCrashNorCount)
{
    std::string arrays(200000, '[');
    EXPECT_FALSE((WebApiResponse{200, arrays, {}, {}}.object().has_value()));
    std::string objects;
    for (int i = 0; i < 100000; ++i) {
        objects += "{\"a\":";
    }
    objects += "1" + std::string(100000, '}');
    auto parsed = WebApiResponse{200, objects, {}, {}}.object();
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(WebApiResponse::integer(*parsed, "a"), std::nullopt);
}

// ---- URL safety ---------------------------------------------------------------------

TEST(WebApiUrlSafety, HostsMustBePlainAddressesOrNames)
{
    EXPECT_TRUE(WebApiUrl::isPlainHost("127.0.0.2"));
    EXPECT_TRUE(WebApiUrl::isPlainHost("scanner-3.example"));
    for (const char* bad : {"", "127.0.0.2:8443", "127.0.0.2/x", "user@127.0.0.2", "a b", "evil#", "127.0.0.2?",
                            "[::1]", "127.0.0.2\r\nX: y", "sc\xC3\xA4nner"}) {
        EXPECT_FALSE(WebApiUrl::isPlainHost(bad)) << bad;
    }
    EXPECT_EQ(WebApiUrl::join("https://", std::nullopt, "/api/v1/scanners/", ""), std::nullopt);
    EXPECT_EQ(WebApiUrl::join("https://", std::string("127.0.0.2"), "/api/v1/job/", "settings"),
              "https://127.0.0.2/api/v1/job/settings");
}

TEST(WebApiUrlSafety, IdentifiersMustStayInsideTheirSegment)
{
    EXPECT_TRUE(WebApiUrl::isPlainSegment("VX2"));
    EXPECT_TRUE(WebApiUrl::isPlainSegment("")) << "an empty identifier changes no structure";
    EXPECT_TRUE(WebApiUrl::isPlainSegment("a-b_c.d~e%41:=&"));
    for (const char* bad : {"a b", "a#b", "a/b", "a?b", "a\\b", "a\r\nHost: evil", "a\tb", "\x7F", "caf\xC3\xA9"}) {
        EXPECT_FALSE(WebApiUrl::isPlainSegment(bad)) << bad;
    }
    EXPECT_EQ(WebApiUrl::segment(std::nullopt), std::nullopt);
    EXPECT_EQ(WebApiUrl::segment(JsonIdentifier::fromNumber("12")), "12");
    EXPECT_EQ(WebApiUrl::segment(JsonIdentifier::fromString("../x")), std::nullopt);
}

// ---- Share folder texts -------------------------------------------------------------

TEST(ShareFolderConversion, PathsTurnBackslashesAndYenSignsIntoSlashes)
{
    EXPECT_EQ(ScannerSettingValues::sharePath("\\\\server\\share\\folder"), "//server/share/folder");
    EXPECT_EQ(ScannerSettingValues::sharePath("\xC2\xA5\xC2\xA5server\xC2\xA5share"), "//server/share");
    EXPECT_EQ(ScannerSettingValues::sharePath("\\\\srv\xC2\xA5mixed\\dir \xE5\x85\xB1\xE6\x9C\x89"),
              "//srv/mixed/dir \xE5\x85\xB1\xE6\x9C\x89")
        << "other text, spaces included, stays as it is";
    EXPECT_EQ(ScannerSettingValues::sharePath("a\xA5" "b\xC2"), "a\xA5" "b\xC2") << "no yen sign without both bytes";
    EXPECT_EQ(ScannerSettingValues::sharePath(""), "");
}

TEST(ShareFolderConversion, UserNamesTurnOnlyBackslashesIntoSlashes)
{
    EXPECT_EQ(ScannerSettingValues::shareUserName("DOMAIN\\user"), "DOMAIN/user");
    EXPECT_EQ(ScannerSettingValues::shareUserName("dom\xC2\xA5user"), "dom\xC2\xA5user");
    EXPECT_EQ(ScannerSettingValues::shareUserName(" user "), " user ");
}

// ---- Job title ----------------------------------------------------------------------

TEST(JobTitleEncoding, IsBase64OfLittleEndianUtf16WithByteOrderMark)
{
    EXPECT_EQ(JobTitleEncoder::encode(""), "//4=");
    EXPECT_EQ(JobTitleEncoder::encode("A"), "//5BAA==");
    EXPECT_EQ(JobTitleEncoder::encode("Ab"), "//5BAGIA");
    EXPECT_EQ(JobTitleEncoder::encode("\xE3\x82\xB9"), "//65MA==") << "U+30B9 goes low byte first";
    EXPECT_EQ(JobTitleEncoder::encode("\xF0\x9F\x98\x80"), "//492ADe") << "outside the BMP: a surrogate pair";
}

TEST(JobTitleEncoding, BreaksLinesAfterEvery64CharactersWithCrLf)
{
    std::string name23;
    for (int i = 0; i < 23; ++i) {
        name23 += "\xE3\x82\xB9"; // 23 BMP characters: 48 bytes with the mark, 64 Base64 characters
    }
    std::string title23 = JobTitleEncoder::encode(name23);
    EXPECT_EQ(title23.size(), 64u);
    EXPECT_EQ(title23.find('\r'), std::string::npos);

    std::string title24 = JobTitleEncoder::encode(name23 + "A");
    ASSERT_EQ(title24.size(), 68u + 2u) << "68 Base64 characters and one line break";
    EXPECT_EQ(title24.substr(64, 2), "\r\n");
    EXPECT_EQ(title24.substr(0, 64), title23.substr(0, 64));
    EXPECT_EQ(title24.find('\r', 66), std::string::npos) << "no break after the last line";

    std::string longTitle = JobTitleEncoder::encode(std::string(200, 'x'));
    size_t lines = 0;
    for (size_t start = 0; start < longTitle.size(); ++lines) {
        size_t end = longTitle.find("\r\n", start);
        size_t length = (end == std::string::npos ? longTitle.size() : end) - start;
        EXPECT_TRUE(length == 64 || end == std::string::npos);
        start = end == std::string::npos ? longTitle.size() : end + 2;
    }
    EXPECT_EQ(lines, 9u); // 402 bytes -> 536 characters
}

TEST(JobTitleEncoding, InvalidUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(JobTitleEncoder::utf16leWithBom("\xFF"), std::string("\xFF\xFE\xFD\xFF", 4));
    EXPECT_EQ(JobTitleEncoder::utf16leWithBom("\xC0\xAF"), std::string("\xFF\xFE\xFD\xFF\xFD\xFF", 6))
        << "an overlong form is not decoded";
    EXPECT_EQ(JobTitleEncoder::utf16leWithBom("\xED\xA0\x80"), std::string("\xFF\xFE\xFD\xFF\xFD\xFF\xFD\xFF", 8))
        << "an encoded surrogate is not decoded";
    EXPECT_EQ(JobTitleEncoder::utf16leWithBom("A\xE3\x82"), std::string("\xFF\xFE" "A\0\xFD\xFF\xFD\xFF", 8))
        << "a cut-off sequence at the end";
}

// ---- Settings body ------------------------------------------------------------------

class WebApiBodies : public ::testing::Test {
protected:
    WebApiClient client;
};

TEST_F(WebApiBodies, SettingsBodyHasEveryMemberSortedAndConvertedForAShareFolder)
{
    auto job = shareFolderJob();
    job->sendSetting()->setSendPath("\\\\srv\\share\xC2\xA5in");
    json body = client.GetJsonForSetSetting(lockedScanner(JsonIdentifier::fromString("c1")), job);
    EXPECT_EQ(compact(body),
              R"({"autosize":1,"colormode":4,"connection_id":"c1","deskew":1,"destination":"//srv/share/in",)"
              R"("document_orientation":0,"double_feed_detection":1,"download":0,"fileformat":2,"pagesize":"AUTO",)"
              R"("pdf_ocr":0,"resolution":200,"scanside":2,"smb_password":"s3cret\\x","smb_username":"dom/user"})");
    EXPECT_EQ(job->sendSetting()->sendPath(), "\\\\srv\\share\xC2\xA5in") << "the job keeps its own path";
    EXPECT_EQ(job->sendSetting()->userName(), "dom\\user");
}

TEST_F(WebApiBodies, SettingsBodyMapsEveryTableEntry)
{
    auto scanner = std::make_shared<ScannerData>();
    auto job = shareFolderJob();
    auto member = [&](const char* key) { return client.GetJsonForSetSetting(scanner, job).value(key, json()); };

    const int64_t colours[] = {4, 3, 1};
    for (int64_t v = 0; v < 3; ++v) {
        job->setColorMode(v);
        EXPECT_EQ(member("colormode"), colours[v]) << v;
    }
    const int64_t sides[] = {2, 0, 1};
    for (int64_t v = 0; v < 3; ++v) {
        job->setReadingSurface(v);
        EXPECT_EQ(member("scanside"), sides[v]) << v;
    }
    const int64_t dpi[] = {150, 200, 240, 300};
    for (int64_t v = 0; v < 4; ++v) {
        job->setResolution(v);
        EXPECT_EQ(member("resolution"), dpi[v]) << v;
    }
    const char* sizes[] = {"AUTO", "LETTER", "A4"};
    for (int64_t v = 0; v < 3; ++v) {
        job->setPaperSize(v);
        EXPECT_EQ(member("pagesize"), sizes[v]) << v;
        EXPECT_EQ(member("autosize"), v == PaperSize::Auto ? 1 : 0) << v;
        EXPECT_EQ(member("deskew"), v == PaperSize::Auto ? 1 : 0) << v;
    }
    const int64_t formats[] = {2, 2, 3, 4};
    for (int64_t v = 0; v < 4; ++v) {
        job->setFileFormat(v);
        EXPECT_EQ(member("fileformat"), formats[v]) << v;
    }
    job->setFileFormat(FileFormat::PdfOcr);
    EXPECT_EQ(member("pdf_ocr"), 1);
    job->setFileFormat(FileFormat::Pdf);
    EXPECT_EQ(member("pdf_ocr"), 0);
    for (int64_t format : {FileFormat::Jpeg, FileFormat::Tiff}) {
        job->setFileFormat(format);
        EXPECT_FALSE(client.GetJsonForSetSetting(scanner, job).contains("pdf_ocr")) << format;
    }
    EXPECT_FALSE(client.GetJsonForSetSetting(scanner, job).contains("connection_id"))
        << "no connection identifier, no member";
}

TEST_F(WebApiBodies, SettingsBodySendsUnknownForTheScannersOwnStorage)
{
    auto job = shareFolderJob();
    job->sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    json body = client.GetJsonForSetSetting(lockedScanner(JsonIdentifier::fromNumber("12")), job);
    EXPECT_EQ(body["download"], 1);
    EXPECT_EQ(body["destination"], "unknown");
    EXPECT_EQ(body["smb_username"], "unknown");
    EXPECT_EQ(body["smb_password"], "unknown");
    EXPECT_EQ(compact(body["connection_id"]), "12") << "a numeric identifier goes back as a number";
}

TEST_F(WebApiBodies, ValuesOutsideTheirTablesAreLeftOut)
{
    auto job = shareFolderJob();
    job->setColorMode(3);
    job->setReadingSurface(-1);
    job->setResolution(4);
    job->setPaperSize(7);
    job->setFileFormat(9);
    job->sendSetting()->setDestinationType(2);
    json body = client.GetJsonForSetSetting(std::make_shared<ScannerData>(), job);
    for (const char* key : {"colormode", "scanside", "resolution", "pagesize", "autosize", "deskew", "fileformat",
                            "pdf_ocr", "download"}) {
        EXPECT_FALSE(body.contains(key)) << key;
    }
    EXPECT_EQ(body["destination"], "unknown") << "no share folder, so no share-folder values";
    EXPECT_EQ(body["double_feed_detection"], 1);
    EXPECT_EQ(body["document_orientation"], 0);
}

// ---- Registration body --------------------------------------------------------------

TEST_F(WebApiBodies, RegistrationBodyCarriesTheJobAndItsPassword)
{
    auto job = shareFolderJob();
    job->setFileFormat(FileFormat::Tiff);
    json body = client.GetJsonForRegister(job, std::string("pw"));
    EXPECT_EQ(body["job_password"], "pw");
    EXPECT_EQ(compact(body["job_id"]), "12");
    EXPECT_EQ(body["job_title"], JobTitleEncoder::encode("Invoices"));
    EXPECT_EQ(body["destination"], "//srv/share/in");
    EXPECT_EQ(body["smb_username"], "dom/user");
    EXPECT_EQ(body["smb_password"], "s3cret\\x");
    EXPECT_EQ(body["fileformat"], 4);
    EXPECT_FALSE(body.contains("pdf_ocr"));
    EXPECT_FALSE(body.contains("connection_id"));
    EXPECT_EQ(body.size(), 16u);
}

TEST_F(WebApiBodies, RegistrationBodyKeepsShareFolderValuesForTheScannersOwnStorage)
{
    auto job = shareFolderJob();
    job->sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    json body = client.GetJsonForRegister(job, std::string("pw"));
    EXPECT_EQ(body["download"], 1);
    EXPECT_EQ(body["destination"], "//srv/share/in");
    EXPECT_EQ(body["smb_username"], "dom/user");
    EXPECT_EQ(body["smb_password"], "s3cret\\x");
}

TEST_F(WebApiBodies, RegistrationJobIdIsTheNumberReadFromTheJobsText)
{
    auto job = shareFolderJob();
    auto idFor = [&](std::optional<std::string> jobNo) {
        job->setJobNo(std::move(jobNo));
        return compact(client.GetJsonForRegister(job, std::string("pw"))["job_id"]);
    };
    EXPECT_EQ(idFor("12"), "12");
    EXPECT_EQ(idFor(" 7x"), "7");
    EXPECT_EQ(idFor("abc"), "0");
    EXPECT_EQ(idFor(std::nullopt), "0");
    EXPECT_FALSE(client.GetJsonForRegister(job, std::nullopt).contains("job_password"));
}
