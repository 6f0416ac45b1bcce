#pragma once

#include <QString>

#include <variant>

#include "json/json_import.h"

namespace nexmar {

// The most systems the dialog opens from a file: as many as its tree shows
// well. Larger runs are for nexmar-cli --from-json.
inline constexpr int kMaxOpenedSystems = 10000;

// The run saved in the JSON document at path, or the message that tells the
// user why it cannot be shown.
std::variant<LoadedRun, QString> ReadRunFile(const QString& path);

}  // namespace nexmar
