#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "core/result_tree.h"

class QPagedPaintDevice;

namespace nexmar {

class RunSession;

// Paints systems of the session's run on device, page after page: each
// system a block of its heading, its picture and its tree's lines as a
// table of two columns; every page headed by title and numbered "Page 2 of
// 9". systems: items of the session's tree, in tree order. step hears the
// number of steps done, two a system (laid out, then painted), and stops
// the printing by returning false: a printer's job is then aborted. Returns
// false when the device could not be painted on, or when stopped.
bool PrintSystems(QPagedPaintDevice& device, const RunSession& session, const std::vector<ItemId>& systems,
                  const QString& title, const std::function<bool(int done)>& step);

}  // namespace nexmar
