#pragma once

#include <QSettings>

namespace nexmar {

// What the dialog remembers across runs of the program: the folder last
// saved to, the documents opened lately.
inline QSettings UserSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("nexmar"), QStringLiteral("nexmar"));
}

}  // namespace nexmar
