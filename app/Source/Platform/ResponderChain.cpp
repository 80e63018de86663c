#include "ResponderChain.h"

#include <QByteArray>
#include <QMetaMethod>
#include <QWidget>

bool ResponderChain::sendAction(const char* action, QObject* sender, QWidget* from)
{
    const QByteArray signature = QMetaObject::normalizedSignature(QByteArray(action) + "(QObject*)");
    for (QWidget* view = from; view; view = view->parentWidget()) {
        const QMetaObject* type = view->metaObject();
        const int index = type->indexOfMethod(signature.constData());
        if (index >= 0) {
            return type->method(index).invoke(view, Qt::DirectConnection, Q_ARG(QObject*, sender));
        }
    }
    return false;
}
