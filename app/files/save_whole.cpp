#include "app/files/save_whole.h"

#include <QSaveFile>

namespace nexmar {

SaveOutcome SaveWhole(const QString& name, const std::function<bool(QSaveFile&)>& write)
{
    // QSaveFile writes beside the destination and replaces it only on commit,
    // so a failed or cancelled write never leaves it half-written.
    QSaveFile destination(name);
    // Unbuffered, so a write cut short by a full disk shows in its count: a
    // buffered QSaveFile loses the short write and commits a truncated file.
    if (!destination.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return SaveOutcome::OpenFailed;
    }
    if (!write(destination) || !destination.commit()) {
        return SaveOutcome::WriteFailed;
    }
    return SaveOutcome::Written;
}

}  // namespace nexmar
