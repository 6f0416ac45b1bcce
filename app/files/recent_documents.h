#pragma once

#include <QStringList>

namespace nexmar {

// The most documents Open Recent lists, each with its digit as mnemonic.
inline constexpr int kMaxRecentDocuments = 9;

// The documents opened or saved lately, the latest first, as the user's
// settings keep them for every window and every run of the program.
QStringList RecentDocuments();
// path goes first in the list, once, the oldest dropping off the end.
void RememberRecentDocument(const QString& path);
void ForgetRecentDocument(const QString& path);
void ClearRecentDocuments();

}  // namespace nexmar
