#pragma once

#include <QAccessible>
#include <QStringList>
#include <QTest>
#include <vector>

#include "AccessibleFactory.h"
#include "PasswordEventFilter.h"
#include "app/Source/ViewController/JobScreensFixture.h"

// Qt sends accessibility events only once its bridge has reached the bus of
// tests/accessibility-session.sh.
inline bool accessibilityActive()
{
    return QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
}

class AccessibleScreens : public JobScreens {
protected:
    void SetUp() override
    {
        JobScreens::SetUp();
        AccessibleFactory::install();
    }
};

// Every accessibility event as the password filter passes it on to the bridge
// (here: to this recorder), with the texts it carries.
class AccessibilityEvents {
public:
    struct Event {
        QAccessible::Event type;
        QAccessible::Id target;
        QStringList texts;
    };
    std::vector<Event> events;

    AccessibilityEvents()
    {
        current = this;
        previous = QAccessible::installUpdateHandler(&record);
        PasswordEventFilter::install();
    }
    ~AccessibilityEvents()
    {
        PasswordEventFilter::uninstall();
        QAccessible::installUpdateHandler(previous);
        current = nullptr;
    }

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

private:
    static void record(QAccessibleEvent* event)
    {
        QAccessibleInterface* target = event->accessibleInterface();
        Event seen{event->type(), target ? QAccessible::uniqueId(target) : 0, {}};
        if (auto* update = dynamic_cast<QAccessibleTextUpdateEvent*>(event)) {
            seen.texts << update->textRemoved() << update->textInserted();
        } else if (auto* insert = dynamic_cast<QAccessibleTextInsertEvent*>(event)) {
            seen.texts << insert->textInserted();
        } else if (auto* remove = dynamic_cast<QAccessibleTextRemoveEvent*>(event)) {
            seen.texts << remove->textRemoved();
        } else if (auto* value = dynamic_cast<QAccessibleValueChangeEvent*>(event)) {
            seen.texts << value->value().toString();
        }
        current->events.push_back(seen);
    }

    static inline AccessibilityEvents* current = nullptr;
    QAccessible::UpdateHandler previous = nullptr;
};
