#pragma once

#include "gen/records.h"
#include "picture/svg_picture.h"

namespace nexmar {

// What the shapes and colours of a level's pictures stand for: a row of
// samples, each named, wrapping onto more rows where width runs out. Every
// sample's class begins with "legend", so that no one counts it a body.

// The height the legend of level takes when no wider than width.
double LegendHeight(DetailLevel level, double width);
// Draws the legend of level into picture from (left, top), no wider than width.
void AddLegend(SystemPicture& picture, DetailLevel level, double left, double top, double width);
// Draws the legend of level under what picture holds, as wide as it (or as
// the legend's widest entry, where the picture is narrower), its view box
// and paper grown to hold it.
void AddLegendBelow(SystemPicture& picture, DetailLevel level);

}  // namespace nexmar
