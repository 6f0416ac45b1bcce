#pragma once

#include <QString>

#include <functional>

class QSaveFile;

namespace nexmar {

enum class SaveOutcome { Written, OpenFailed, WriteFailed };

// Writes the file name through write, replacing an earlier file only once
// the whole of it is written; on whichever thread calls it.
SaveOutcome SaveWhole(const QString& name, const std::function<bool(QSaveFile&)>& write);

}  // namespace nexmar
