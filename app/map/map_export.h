#pragma once

#include <QString>

#include <functional>

#include "app/map/shown_map.h"

class QIODevice;
class QPagedPaintDevice;
class QPrinter;
class QSaveFile;

namespace nexmar {

// What Export Map and Print Map ask of the window around them: each a seam
// a test presets, so that nothing waits on a modal window.
struct MapExportSeams {
    // The save box: its filter, the suffix of a name typed without one, and
    // its title; an empty name when cancelled.
    std::function<QString(const QString& filter, const QString& suffix, const QString& title)> askName;
    // Writes name through write, replacing an earlier file only once the
    // whole of it is written, and says how it went (done, once written).
    std::function<void(const QString& name, const std::function<bool(QSaveFile&)>& write, const QString& done)> save;
    // A refusal, in one line.
    std::function<void(const QString& text)> refuse;
    // The print preview, whose pages paint draws on the printer chosen there.
    std::function<void(const std::function<void(QPrinter&)>& paint)> preview;
};

// How Print Map lays a sector out: whole on one page, or a page for each
// subsector the map spans there, large enough to write on.
enum class MapPages { Sector, Subsectors };

// Export Map: the sector shown as SVG (the very bytes nexmar-cli --map
// writes), PNG (at twice its size) or PDF (a page its size, as shapes and
// text), by the name's suffix; and Print Map.
class MapExport {
public:
    explicit MapExport(MapExportSeams seams) : seams_(std::move(seams)) {}

    void Export(const ShownMap& map) const;
    void Print(const ShownMap& map, MapPages pages) const;

private:
    MapExportSeams seams_;
};

inline constexpr const char* kMapFormatRefused = "A map is saved as .svg, .png or .pdf: choose one of these.";

// The map's pages on device, each fitted to its page whichever way the page
// turns: false when the device could not be painted on.
bool PaintMapPages(QPagedPaintDevice& device, const ShownMap& map, MapPages pages);
// How many pages PaintMapPages paints.
int MapPageCount(const ShownMap& map, MapPages pages);
// A PNG of the map at twice its size; a PDF of one page the map's size.
bool WriteMapPng(const ShownMap& map, QIODevice& file);
bool WriteMapPdf(const ShownMap& map, QIODevice& file);

}  // namespace nexmar
