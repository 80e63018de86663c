#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "AppError.h"
#include "FernwickException.h"
#include "LocalizedStrings.h"
#include "MessagePresenter.h"
#include "ProgressText.h"
#include "RequestFailureText.h"
#include "ResultMessage.h"
#include "ScannerError.h"

namespace {
std::string en(const char* key)
{
    return LocalizedStrings::textIn("en", key);
}

// Captures what would be shown instead of showing it.
class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizedStrings::setLanguage("en");
        MessagePresenter::install([this](const MessageAlert& alert) { shown.push_back(alert); });
    }
    void TearDown() override
    {
        MessagePresenter::install(nullptr);
        LocalizedStrings::setLanguage("en");
    }

    std::vector<MessageAlert> shown;
};

const int32_t kScannerCodes[] = {-4509, -4400, -4401, -4426, -4429, -4431, -4500, -4513, -4506, -4619};
} // namespace

TEST_F(MessagesTest, ScannerCatalogueHasItsTenCodesWithTheSharedTitle)
{
    const ScannerError catalogue;
    EXPECT_EQ(catalogue.scannerErrDict().size(), 10u);
    for (const int32_t code : kScannerCodes) {
        EXPECT_TRUE(catalogue.IsSupport(code)) << code;
        EXPECT_EQ(catalogue.GetTitle(code), en("ErrorTitle")) << code;
    }
    EXPECT_EQ(catalogue.GetMessage(-4509), en("ErrorFileAccess"));
    EXPECT_EQ(catalogue.GetMessage(-4513), catalogue.GetMessage(-4509));
    EXPECT_EQ(catalogue.GetMessage(-4400), en("ErrorNotReady"));
    EXPECT_EQ(catalogue.GetMessage(-4619), en("ErrorPaperFeed"));
    EXPECT_EQ(catalogue.scannerErrDict().count("-4400"), 1u) << "keys are the plain decimal text";
}

TEST_F(MessagesTest, ApplicationCatalogueHoldsExactly100001To100007)
{
    const AppError catalogue;
    EXPECT_EQ(catalogue.appErrDict().size(), 7u);
    for (int32_t code = 100001; code <= 100007; ++code) {
        EXPECT_TRUE(catalogue.IsSupport(code)) << code;
        EXPECT_EQ(catalogue.GetTitle(code), en("ErrorTitle"));
    }
    EXPECT_EQ(catalogue.GetMessage(100001), en("ErrorNoDetectScanner"));
    EXPECT_EQ(catalogue.GetMessage(100003), en("ErrorFailedToBulkRegistJob"));
    EXPECT_EQ(catalogue.GetMessage(100006), en("ErrorInvalidPassword"));
    EXPECT_EQ(catalogue.GetMessage(100007), en("ErrorConnect"));
}

TEST_F(MessagesTest, UnknownCodesAreUnsupportedInBothCatalogues)
{
    const ScannerError scanner;
    const AppError app;
    for (const int32_t code : {0, 4400, 100008, 100000, -1, -4402}) {
        EXPECT_FALSE(scanner.IsSupport(code)) << code;
        EXPECT_FALSE(app.IsSupport(code)) << code;
        EXPECT_EQ(scanner.GetTitle(code), std::nullopt);
        EXPECT_EQ(scanner.GetMessage(code), std::nullopt);
        EXPECT_EQ(app.GetMessage(code), std::nullopt);
    }
    EXPECT_FALSE(app.IsSupport(-4400));
    EXPECT_FALSE(scanner.IsSupport(100001));
}

TEST_F(MessagesTest, CatalogueKeepsTheLanguageItWasMadeIn)
{
    const AppError english;
    LocalizedStrings::setLanguage("ar");
    const AppError arabic;
    EXPECT_EQ(english.GetMessage(100007), en("ErrorConnect"));
    EXPECT_EQ(arabic.GetMessage(100007), LocalizedStrings::textIn("ar", "ErrorConnect"));
    EXPECT_NE(english.GetMessage(100007), arabic.GetMessage(100007));
}

TEST_F(MessagesTest, ResultCodesResolveScannerFirstThenApplicationThenFallback)
{
    EXPECT_EQ(ResultMessage::forResult(0, "done", "fallback"), "done");
    EXPECT_EQ(ResultMessage::forResult(-4400, "done", "fallback"), en("ErrorNotReady"));
    EXPECT_EQ(ResultMessage::forResult(100006, "done", "fallback"), en("ErrorInvalidPassword"));
    EXPECT_EQ(ResultMessage::forResult(-1, "done", "fallback"), "fallback");
    EXPECT_EQ(ResultMessage::forResult(4400, "done", "fallback"), "fallback") << "a positive code of the scanner's own";
    // A 64-bit code is not cut down to an unrelated 32-bit code's message.
    EXPECT_EQ(ResultMessage::forResult((int64_t{1} << 32) + 100001, "done", "fallback"), "fallback");
    EXPECT_EQ(ResultMessage::forResult((int64_t{1} << 32) - 4400, "done", "fallback"), "fallback");

    EXPECT_EQ(ResultMessage::forScan(0), en("CompletedScan"));
    EXPECT_EQ(ResultMessage::forScan(123), en("ErrorScan"));
    EXPECT_EQ(ResultMessage::forScan(100001), en("ErrorNoDetectScanner"));
    EXPECT_EQ(ResultMessage::forRegistration(0), en("FinishRegist"));
    EXPECT_EQ(ResultMessage::forRegistration(-77), en("ErrorFailedToBulkRegistJob"));
    EXPECT_EQ(ResultMessage::forRegistration(-4513), en("ErrorFileAccess"));
}

TEST_F(MessagesTest, BulkRowTextNamesTheReasonInParentheses)
{
    EXPECT_EQ(ResultMessage::bulkRowText(0), en("ResSuccess"));
    EXPECT_EQ(ResultMessage::bulkRowText(-4400), en("ResFailure") + "(" + en("ErrorNotReady") + ")");
    EXPECT_EQ(ResultMessage::bulkRowText(100006), en("ResFailure") + "(" + en("ErrorInvalidPassword") + ")");
    EXPECT_EQ(ResultMessage::bulkRowText(5555), en("ResFailure") + "()");
    LocalizedStrings::setLanguage("ar");
    EXPECT_EQ(ResultMessage::bulkRowText(100007), LocalizedStrings::textIn("ar", "ResFailure") + "(" +
                                                      LocalizedStrings::textIn("ar", "ErrorConnect") + ")");
}

TEST_F(MessagesTest, EveryRequestFailureHasASentenceOfItsOwnAndAKeyword)
{
    using Reason = WebApiFailure::Reason;
    std::set<std::string> sentences;
    std::set<std::string> keywords;
    for (int reason = static_cast<int>(Reason::NotSent); reason <= static_cast<int>(Reason::UnreadableAnswer); ++reason) {
        const WebApiFailure failure{static_cast<Reason>(reason), 503, "the transport's own words"};
        sentences.insert(RequestFailureText::sentence(failure).value_or(""));
        keywords.insert(RequestFailureText::keyword(failure).value_or(""));
    }
    EXPECT_EQ(sentences.size(), 10u);
    EXPECT_EQ(keywords.size(), 10u);
    EXPECT_EQ(sentences.count(""), 0u);
}

TEST_F(MessagesTest, ExceptionShowsOnlyItsMessageInAnAlertWithOneOkButton)
{
    try {
        throw FernwickException(en("ErrorTitle"), en("ErrorJobName"));
    } catch (const FernwickException& exception) {
        EXPECT_EQ(exception.title(), en("ErrorTitle"));
        EXPECT_STREQ(exception.what(), en("ErrorJobName").c_str());
        exception.showMessage();
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].headline, "");
    EXPECT_EQ(shown[0].informativeText, en("ErrorJobName")) << "the title is kept, not shown";
    EXPECT_EQ(shown[0].buttonTitle, en("OK"));

    FernwickException::showMessage("ignored title", "plain");
    FernwickException::showMessage("ignored title", "with reason", std::runtime_error("disk full"));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].informativeText, "plain");
    EXPECT_EQ(shown[2].informativeText, "with reason\ndisk full");

    const FernwickException empty;
    EXPECT_EQ(empty.title(), "");
    EXPECT_EQ(empty.message(), "");
    const FernwickException withCause("t", "m", std::runtime_error("ignored"));
    EXPECT_EQ(withCause.message(), "m");
    LocalizedStrings::setLanguage("ar");
    withCause.showMessage();
    EXPECT_EQ(shown.back().buttonTitle, LocalizedStrings::textIn("ar", "OK"));
}

TEST_F(MessagesTest, WithoutAPresenterTheMessageGoesToStandardError)
{
    MessagePresenter::install(nullptr);
    testing::internal::CaptureStderr();
    FernwickException("t", "the message").showMessage();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "the message\n");
}

TEST_F(MessagesTest, ProgressTextsOfScanAndRegistration)
{
    EXPECT_EQ(ProgressText::forScanStatus(0), en("Scanning"));
    EXPECT_EQ(ProgressText::forScanStatus(1), en("CreatingFile"));
    EXPECT_EQ(ProgressText::forScanStatus(2), en("SendingFile"));
    EXPECT_EQ(ProgressText::forScanStatus(3), std::nullopt) << "other values leave the text as it is";
    EXPECT_EQ(ProgressText::forScanStatus(-1), std::nullopt);

    BulkJobStatus item;
    item.setJobNo(7);
    item.setScannerName("Front desk");
    item.setRequest(en("MenuDelete"));
    EXPECT_EQ(ProgressText::forSlot(item), en("LabelJobNo") + "7(" + en("MenuDelete") + ")");
    EXPECT_EQ(ProgressText::forRegistration(item),
              en("BulkRegist") + "\nFront desk\n" + en("LabelJobNo") + "7(" + en("MenuDelete") + ")");
}
