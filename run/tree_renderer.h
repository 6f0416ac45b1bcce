#pragma once

#include <string>

#include "core/result_tree.h"
#include "run/tree_images.h"
#include "gen/records.h"

namespace nexmar {

// Tree images of the records' closed sets.
TreeImage ZoneImage(OrbitZone zone);
TreeImage StarImage(StarColour colour);

// Each adds the record's items under the system's item: stat lines sorted,
// objects, stars and moons in the order they were rolled.
void RenderLowSystem(ResultTree& tree, ItemId systemItem, const LowSystem& system);
void RenderMediumSystem(ResultTree& tree, ItemId systemItem, int systemNumber, const MediumSystem& system);
void RenderHighSystem(ResultTree& tree, ItemId systemItem, int systemNumber, const HighSystem& system);

// One object, as "Object 2.1" (slot from 1) and "Object 3A.1" (index from 0).
ItemId RenderMediumObject(ResultTree& tree, ItemId systemItem, int systemNumber, int slot, const MediumObject& object);
ItemId RenderHighObject(ResultTree& tree, ItemId systemItem, int systemNumber, char letter, int objectIndex,
                        const HighObject& object);

// The item and its descendants as text, one item a line in pre-order: two
// spaces per level of depth, the image index in brackets, then the text.
void AppendTreeLines(std::string& out, const ResultTree& tree, ItemId item, int depth);

}  // namespace nexmar
