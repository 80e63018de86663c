#include "PasswordEventFilter.h"

#include <QAccessible>
#include <QLineEdit>

namespace {
QAccessible::UpdateHandler previousHandler = nullptr;
bool installed = false;

void filter(QAccessibleEvent* event);

void passOn(QAccessibleEvent* event)
{
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // Qt applied a table's model change to the table's interface before it
    // called this handler, and the Linux bridge takes nothing from the event:
    // sent round again it would be applied twice.
    if (event->type() == QAccessible::TableModelChanged) {
        return;
    }
    // With no handler installed, Qt gives events to the platform's bridge:
    // this handler steps aside while the event goes round once more.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&filter);
}

QString masked(const QString& text)
{
    return QString(text.size(), QLatin1Char('*'));
}

void filter(QAccessibleEvent* event)
{
    const auto* field = qobject_cast<const QLineEdit*>(event->object());
    if (!field || field->echoMode() == QLineEdit::Normal) {
        passOn(event);
        return;
    }
    const bool showsNothing = field->echoMode() == QLineEdit::NoEcho;
    switch (event->type()) {
    case QAccessible::TextInserted: {
        const auto* inserted = static_cast<const QAccessibleTextInsertEvent*>(event);
        if (!showsNothing) {
            QAccessibleTextInsertEvent bullets(event->object(), inserted->changePosition(),
                                               masked(inserted->textInserted()));
            bullets.setCursorPosition(inserted->cursorPosition());
            passOn(&bullets);
        }
        return;
    }
    case QAccessible::TextRemoved: {
        const auto* removed = static_cast<const QAccessibleTextRemoveEvent*>(event);
        if (!showsNothing) {
            QAccessibleTextRemoveEvent bullets(event->object(), removed->changePosition(),
                                               masked(removed->textRemoved()));
            bullets.setCursorPosition(removed->cursorPosition());
            passOn(&bullets);
        }
        return;
    }
    case QAccessible::TextUpdated: {
        const auto* updated = static_cast<const QAccessibleTextUpdateEvent*>(event);
        if (!showsNothing) {
            QAccessibleTextUpdateEvent bullets(event->object(), updated->changePosition(),
                                               masked(updated->textRemoved()), masked(updated->textInserted()));
            bullets.setCursorPosition(updated->cursorPosition());
            passOn(&bullets);
        }
        return;
    }
    case QAccessible::ValueChanged:
        return; // its value would be the text itself
    default:
        passOn(event);
        return;
    }
}
} // namespace

void PasswordEventFilter::install()
{
    if (installed) {
        return;
    }
    previousHandler = QAccessible::installUpdateHandler(&filter);
    installed = true;
}

void PasswordEventFilter::uninstall()
{
    if (!installed) {
        return;
    }
    QAccessible::installUpdateHandler(previousHandler);
    previousHandler = nullptr;
    installed = false;
}
