#include "app/run_file_reading.h"

#include <fstream>

namespace nexmar {

std::variant<LoadedRun, QString> ReadRunFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    if (!in) {
        return QStringLiteral("Failed to open file.");
    }
    std::variant<LoadedRun, JsonReadError> read = LoadJsonRun(in, kMaxOpenedSystems);
    if (in.bad()) {
        return QStringLiteral("Failed to read file.");
    }
    if (const JsonReadError* error = std::get_if<JsonReadError>(&read)) {
        if (error->tooManySystems) {
            return QStringLiteral("The file holds more than %L1 systems, more than this window shows.\n"
                                  "Open it with nexmar-cli --from-json.")
                .arg(kMaxOpenedSystems);
        }
        return QString::fromStdString(error->message);
    }
    return std::get<LoadedRun>(std::move(read));
}

}  // namespace nexmar
