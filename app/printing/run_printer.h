#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace nexmar {

class RunRecords;
class SectorEdits;

// What is printed: systems of a run, and the words every page's header
// gives them.
struct PrintRequest {
    QString run;        // "200 High systems with census, seed 7"
    QString selection;  // "All 200 systems", or which of them a find kept
    std::vector<std::size_t> places;  // the systems' places among the records, in the order printed
    // A handout: what the players may see of the systems by these edits.
    // A secret system is left out, every field hidden reads "?", and each
    // picture is the players' picture, which draws no hidden value.
    const SectorEdits* players = nullptr;
};

// Paints the systems of request on device, page after page, for a binder:
// a Medium or High system as its heading, its picture (drawn as shapes and
// text, never as an image) and a table of its bodies, a body a row, kept on
// one page where it fits on one; Low systems as one table, a system a row.
// Every page's header names the run, the selection and the system it
// continues, and numbers the page "Page 2 of 9". step hears the number of
// systems painted and stops the printing by returning false: a printer's
// job is then aborted. Returns false when the device could not be painted
// on, or when stopped. Safe on any thread for a device other than a screen's.
bool PrintSystems(QPagedPaintDevice& device, const RunRecords& records, const PrintRequest& request,
                  const std::function<bool(int done)>& step);

// The paper a print is laid out on, unless the user chooses another in the
// print preview, and every PDF: A4 upright with margins of 12 mm at 600 dots
// an inch (fine enough for the pictures' thinnest lines), so that a print
// and an exported PDF of the same systems break their pages alike.
void UsePaper(QPrinter& printer);
void UsePaper(QPdfWriter& pdf);

}  // namespace nexmar
