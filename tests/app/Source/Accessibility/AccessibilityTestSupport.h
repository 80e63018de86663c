#pragma once

#include <QAccessible>
#include <QStringList>
#include <QTest>
#include <vector>

#include "AccessibleFactory.h"
#include "PasswordEventFilter.h"
#include "app/Source/ViewController/JobScreensFixture.h"

// Qt describes views and sends accessibility events only while accessibility
// is active: once the bridge has reached the accessibility bus of
// tests/accessibility-session.sh.
inline bool accessibilityActive()
{
    return QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
}

// The job list and the job editor in a main window, with the application's
// descriptions of its views installed as at its start.
class AccessibleScreens : public JobScreens {
protected:
    void SetUp() override
    {
        JobScreens::SetUp();
        AccessibleFactory::install();
    }
};

// Every accessibility event as the application's password filter passes it on
// (the filter installed over this recorder, as over the platform's bridge).
class AccessibilityEvents {
public:
    struct Event {
        QAccessible::Event type;
        QAccessible::Id target;
        // The texts the event itself carries (inserted, removed, new value).
        QStringList texts;
    };

    AccessibilityEvents()
    {
        current = this;
        mPrevious = QAccessible::installUpdateHandler(&record);
        PasswordEventFilter::install();
    }
    ~AccessibilityEvents()
    {
        PasswordEventFilter::uninstall();
        QAccessible::installUpdateHandler(mPrevious);
        current = nullptr;
    }
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // The targets of the events of that type, in order.
    std::vector<QAccessible::Id> targetsOf(QAccessible::Event type) const
    {
        std::vector<QAccessible::Id> targets;
        for (const Event& event : events) {
            if (event.type == type) {
                targets.push_back(event.target);
            }
        }
        return targets;
    }

    std::vector<Event> events;

private:
    static void record(QAccessibleEvent* event)
    {
        Event seen{event->type(), 0, {}};
        if (QAccessibleInterface* target = event->accessibleInterface()) {
            seen.target = QAccessible::uniqueId(target);
        }
        switch (event->type()) {
        case QAccessible::TextInserted:
            seen.texts << static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
            break;
        case QAccessible::TextRemoved:
            seen.texts << static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
            break;
        case QAccessible::TextUpdated:
            seen.texts << static_cast<QAccessibleTextUpdateEvent*>(event)->textRemoved()
                       << static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted();
            break;
        case QAccessible::ValueChanged:
            seen.texts << static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
            break;
        default:
            break;
        }
        if (current) {
            current->events.push_back(seen);
        }
    }

    static inline AccessibilityEvents* current = nullptr;
    QAccessible::UpdateHandler mPrevious = nullptr;
};

inline QAccessible::Id idOf(QObject* object)
{
    return QAccessible::uniqueId(QAccessible::queryAccessibleInterface(object));
}

// The interface and everything below it, parents first.
inline void walkAccessibleTree(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& out)
{
    if (!root) {
        return;
    }
    out.push_back(root);
    for (int index = 0; index < root->childCount(); ++index) {
        walkAccessibleTree(root->child(index), out);
    }
}
