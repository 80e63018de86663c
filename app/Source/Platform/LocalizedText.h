#pragma once

#include <QString>
#include <string>

#include "LocalizedStrings.h"

// The string table's text for the key, for a widget.
inline QString localized(const std::string& key)
{
    return QString::fromStdString(LocalizedStrings::text(key));
}
