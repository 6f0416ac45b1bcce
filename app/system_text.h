#pragma once

#include <optional>
#include <string>

#include "core/result_tree.h"

namespace nexmar {

class RunSession;

// The system's rows as the text report writes them: its heading and tables
// at Medium and High, the table's header and its row at Low. item: the
// system's item in the session's tree, or any item inside it. Nothing when
// item lies in no system.
std::optional<std::string> SystemReportText(const RunSession& session, ItemId item);

}  // namespace nexmar
