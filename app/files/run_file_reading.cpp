#include "app/files/run_file_reading.h"

#include "json/json_document_file.h"

namespace nexmar {

std::variant<LoadedRun, QString> ReadRunFile(const QString& path)
{
    // Opened once and read once: a FIFO or a directory is refused before
    // anything waits on it, and the run shown is the bytes that were read.
    std::string error;
    const std::unique_ptr<JsonDocumentFile> file = JsonDocumentFile::Open(path.toStdString(), error);
    if (!file) {
        return QString::fromStdString(error);
    }
    JsonDocumentFile::Pass pass(*file);
    std::variant<LoadedRun, JsonReadError> read = LoadJsonRun(pass, kMaxOpenedSystems);
    if (pass.error() != 0) {
        return QStringLiteral("Failed to read file.");
    }
    if (const JsonReadError* refused = std::get_if<JsonReadError>(&read)) {
        if (refused->tooManySystems) {
            return QStringLiteral("The file holds more than %L1 systems, more than this window shows.\n"
                                  "Open it with nexmar-cli --from-json.")
                .arg(kMaxOpenedSystems);
        }
        return QString::fromStdString(refused->message);
    }
    return std::get<LoadedRun>(std::move(read));
}

}  // namespace nexmar
