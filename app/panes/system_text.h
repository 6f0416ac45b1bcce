#pragma once

#include <optional>
#include <string>

#include "core/result_tree.h"

namespace nexmar {

class RunSession;

// The system's rows as the text report writes them: its heading and tables
// at Medium and High, the table's header and its row at Low. item: the
// system's item in the session's tree, or any item inside it. After them,
// "Name: " and the system's name, then its notes and its objects' notes,
// each under a line that says what it is on ("Notes on Object 3.2:").
// Nothing when item lies in no system.
std::optional<std::string> SystemReportText(const RunSession& session, ItemId item);

}  // namespace nexmar
