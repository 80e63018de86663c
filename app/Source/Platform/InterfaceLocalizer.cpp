#include "InterfaceLocalizer.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include "LocalizedStrings.h"

namespace {
QString textFor(const QObject* object, const char* property)
{
    const QVariant key = object->property(property);
    return key.isValid() ? QString::fromStdString(LocalizedStrings::text(key.toString().toStdString())) : QString();
}

void localizeOne(QObject* object)
{
    if (const QString text = textFor(object, "textKey"); !text.isNull()) {
        if (auto* action = qobject_cast<QAction*>(object)) {
            action->setText(text);
        } else if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->setTitle(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            button->setText(text);
        } else if (auto* label = qobject_cast<QLabel*>(object)) {
            label->setText(text);
        } else if (auto* field = qobject_cast<QLineEdit*>(object)) {
            field->setText(text);
        }
    }
    if (const QString tip = textFor(object, "toolTipKey"); !tip.isNull()) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            widget->setToolTip(tip);
        } else if (auto* action = qobject_cast<QAction*>(object)) {
            action->setToolTip(tip);
        }
    }
    if (const QString name = textFor(object, "accessibleNameKey"); !name.isNull()) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            widget->setAccessibleName(name);
        }
    }
    if (const QString placeholder = textFor(object, "placeholderKey"); !placeholder.isNull()) {
        if (auto* field = qobject_cast<QLineEdit*>(object)) {
            field->setPlaceholderText(placeholder);
        }
    }
}
} // namespace

void InterfaceLocalizer::localize(QObject* root)
{
    if (!root) {
        return;
    }
    localizeOne(root);
    for (QObject* child : root->children()) {
        localize(child);
    }
    // Actions of a widget are not always its children (menus share them).
    if (auto* widget = qobject_cast<QWidget*>(root)) {
        for (QAction* action : widget->actions()) {
            if (action->parent() != root) {
                localizeOne(action);
            }
        }
    }
}
