// Hover feedback of the application's buttons and what they do when they wake.
#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "CustomButton.h"
#include "JobCollectionButton.h"
#include "LocalizedStrings.h"
#include "ScanButton.h"
#include "ScanerSelectButton.h"
#include "ToolbarButton.h"

namespace {
void pointerEnters(QWidget& widget)
{
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QCoreApplication::sendEvent(&widget, &enter);
}

void pointerLeaves(QWidget& widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &leave);
}

using MakeButton = std::function<std::unique_ptr<HoverButton>()>;

template <typename T>
MakeButton maker()
{
    return [] { return std::make_unique<T>(); };
}

const std::vector<std::pair<const char*, MakeButton>>& hoverButtons()
{
    static const std::vector<std::pair<const char*, MakeButton>> all = {
        {"ToolbarButton", maker<ToolbarButton>()},
        {"JobCollectionButton", maker<JobCollectionButton>()},
        {"CustomButton", maker<CustomButton>()},
        {"ScanButton", maker<ScanButton>()},
    };
    return all;
}

class InLanguage : public ::testing::Test {
protected:
    void TearDown() override { LocalizedStrings::useEnvironmentLanguage(); }
};
} // namespace

TEST(HoverTracking, EnabledButtonsFollowThePointerOnceAwake)
{
    for (const auto& [name, make] : hoverButtons()) {
        SCOPED_TRACE(name);
        auto button = make();
        EXPECT_EQ(button->eventState(), 1);
        // Set the way setupUi sets it, by property name.
        button->setProperty("trackingAreaEnabled", true);
        pointerEnters(*button);
        EXPECT_EQ(button->eventState(), 1) << "no tracking before the button wakes";

        button->resize(80, 30);
        button->ensurePolished();
        ASSERT_TRUE(button->trackingArea().has_value());
        EXPECT_EQ(*button->trackingArea(), QRect(0, 0, 80, 30));
        pointerEnters(*button);
        EXPECT_EQ(button->eventState(), 0);
        pointerLeaves(*button);
        EXPECT_EQ(button->eventState(), 1);
    }
}

TEST(HoverTracking, ButtonsWithoutTrackingNeverChange)
{
    for (const auto& [name, make] : hoverButtons()) {
        SCOPED_TRACE(name);
        auto button = make();
        button->ensurePolished();
        EXPECT_FALSE(button->trackingArea().has_value());
        pointerEnters(*button);
        EXPECT_EQ(button->eventState(), 1);
        pointerLeaves(*button);
        EXPECT_EQ(button->eventState(), 1);
    }
}

TEST(HoverTracking, TrackedAreaFollowsTheButtonsSize)
{
    CustomButton button;
    button.resize(40, 20);
    button.show();
    button.updateTrackingArea();
    button.updateTrackingArea(); // a second call replaces the first
    EXPECT_EQ(*button.trackingArea(), QRect(0, 0, 40, 20));
    button.resize(120, 36);
    EXPECT_EQ(*button.trackingArea(), QRect(0, 0, 120, 36));
}

TEST(HoverTracking, ToolbarButtonFadesWhileHoveredAndRecovers)
{
    ToolbarButton button;
    button.setTrackingAreaEnabled(true);
    button.ensurePolished();
    EXPECT_DOUBLE_EQ(button.targetOpacity(), 1.0);
    pointerEnters(button);
    EXPECT_DOUBLE_EQ(button.targetOpacity(), ToolbarButton::kHoverOpacity);
    pointerLeaves(button);
    EXPECT_DOUBLE_EQ(button.targetOpacity(), 1.0);

    // A screen resets the state after the button sent its action, with the
    // pointer still on it: the button must not stay faded.
    pointerEnters(button);
    button.setEventState(1);
    EXPECT_DOUBLE_EQ(button.targetOpacity(), 1.0);
}

TEST(HoverTracking, AButtonMovedAwayFromThePointerLosesItsHover)
{
    QWidget panel;
    panel.resize(400, 100);
    ToolbarButton button(&panel);
    button.setTrackingAreaEnabled(true);
    button.setGeometry(10, 10, 40, 40);
    panel.show();
    QCursor::setPos(panel.mapToGlobal(QPoint(30, 30)));
    pointerEnters(button);
    button.move(12, 10); // still under the pointer
    EXPECT_EQ(button.eventState(), 0);
    button.move(350, 10); // as mirroring moves it: no leave event comes
    EXPECT_EQ(button.eventState(), 1);
    EXPECT_DOUBLE_EQ(button.targetOpacity(), 1.0);
}

TEST(HoverTracking, ButtonsWorkFromTheKeyboard)
{
    for (const auto& [name, make] : hoverButtons()) {
        SCOPED_TRACE(name);
        auto button = make();
        EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
        QSignalSpy clicked(button.get(), &QAbstractButton::clicked);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(button.get(), &press);
        EXPECT_EQ(clicked.count(), 1);
    }
}

using WakingButtons = InLanguage;

TEST_F(WakingButtons, TakeTheDirectionOfTheLanguageWhenTheyWake)
{
    LocalizedStrings::setLanguage("en");
    CustomButton custom;
    ScanerSelectButton selector;
    EXPECT_TRUE(custom.isLTR());
    EXPECT_TRUE(selector.isLTR());
    LocalizedStrings::setLanguage("ar");
    custom.ensurePolished();
    selector.ensurePolished();
    EXPECT_FALSE(custom.isLTR());
    EXPECT_FALSE(selector.isLTR());
}

TEST_F(WakingButtons, ScannerSelectorWakesUnchecked)
{
    ScanerSelectButton selector;
    selector.setCheckable(true);
    selector.setChecked(true);
    selector.ensurePolished();
    EXPECT_FALSE(selector.isChecked());
}

TEST_F(WakingButtons, PictureOnlyButtonsAreNamedFromTheStringTable)
{
    LocalizedStrings::setLanguage("ar");
    ToolbarButton back;
    back.setProperty("accessibleNameKey", "Back");
    EXPECT_EQ(back.accessibleName().toStdString(), LocalizedStrings::text("Back"));
    EXPECT_FALSE(back.accessibleName().isEmpty());
}
