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

// The same change with a star for each character it carries.
template <typename Change, typename... Texts>
void passOnMasked(const Change* change, const Texts&... texts)
{
    Change stars(change->object(), change->changePosition(), masked(texts)...);
    stars.setCursorPosition(change->cursorPosition());
    passOn(&stars);
}

void filter(QAccessibleEvent* event)
{
    const auto* field = qobject_cast<const QLineEdit*>(event->object());
    if (!field || field->echoMode() == QLineEdit::Normal) {
        passOn(event);
        return;
    }
    // A field that shows nothing tells nothing of its changes either.
    const bool showsNothing = field->echoMode() == QLineEdit::NoEcho;
    switch (event->type()) {
    case QAccessible::TextInserted:
        if (!showsNothing) {
            const auto* inserted = static_cast<const QAccessibleTextInsertEvent*>(event);
            passOnMasked(inserted, inserted->textInserted());
        }
        return;
    case QAccessible::TextRemoved:
        if (!showsNothing) {
            const auto* removed = static_cast<const QAccessibleTextRemoveEvent*>(event);
            passOnMasked(removed, removed->textRemoved());
        }
        return;
    case QAccessible::TextUpdated:
        if (!showsNothing) {
            const auto* updated = static_cast<const QAccessibleTextUpdateEvent*>(event);
            passOnMasked(updated, updated->textRemoved(), updated->textInserted());
        }
        return;
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
