#include "map/map_system.h"

#include <algorithm>

#include "gen/record_text.h"

namespace nexmar {

namespace {

// Glyph sizes: at Low detail by the colony's size class, at Medium by the
// bodies a system holds, at High by its main star's size.
int SizeClassOf(const LowSystem& system)
{
    switch (system.sizeClass) {
    case LowSizeClass::MinorOutpost:
    case LowSizeClass::Outpost:
        return 0;
    case LowSizeClass::MinorColony:
    case LowSizeClass::Colony:
        return 1;
    case LowSizeClass::MajorColony:
        return 2;
    }
    return 1;
}

int SizeClassOf(const MediumSystem& system)
{
    const std::size_t bodies = system.objects.size();
    return bodies <= 3 ? 0 : bodies <= 6 ? 1 : 2;
}

int SizeClassOf(const HighSystem& system)
{
    const StarSize size = system.components.empty() || system.components.front().stars.empty()
                              ? StarSize::MainSequence
                              : system.components.front().stars.front().size;
    return size == StarSize::MainSequence || size == StarSize::SubGiant ? 0 : size == StarSize::Giant ? 1 : 2;
}

bool HasSpecial(const LowSystem& system)
{
    return IsSpecial(system.special);
}

bool HasSpecial(const MediumSystem& system)
{
    return std::any_of(system.objects.begin(), system.objects.end(),
                       [](const MediumObject& object) { return IsSpecial(object.special); });
}

bool HasSpecial(const HighSystem& system)
{
    return std::any_of(system.components.begin(), system.components.end(), [](const StarComponent& component) {
        return std::any_of(component.objects.begin(), component.objects.end(),
                           [](const HighObject& object) { return IsSpecial(object.special) || object.gaiaWorld; });
    });
}

std::optional<StarColour> MainStar(const SystemRecord& record)
{
    const HighSystem* high = std::get_if<HighSystem>(&record);
    if (high == nullptr || high->components.empty() || high->components.front().stars.empty()) {
        return std::nullopt;
    }
    return high->components.front().stars.front().colour;
}

// The field the glyph's size shows, as the players' hidden fields name it.
PlayerField SizeField(const SystemRecord& record)
{
    return std::holds_alternative<HighSystem>(record) ? PlayerField::Stars : PlayerField::Size;
}

}  // namespace

std::optional<MapSystem> MapSystemOf(int number, HexPlace place, const SystemRecord& record,
                                     const SectorEdits& edits, MapAudience audience)
{
    MapSystem shown;
    shown.number = number;
    shown.place = place;
    shown.star = MainStar(record);
    shown.sizeClass = std::visit([](const auto& system) { return SizeClassOf(system); }, record);
    shown.special = std::visit([](const auto& system) { return HasSpecial(system); }, record);
    if (audience == MapAudience::Referee) {
        const SystemEdits* edited = edits.Find(number);
        shown.name = edits.Name(number);
        shown.notes = edited != nullptr && (!edited->notes.empty() || !edited->objectNotes.empty());
        return shown;
    }
    const std::optional<PlayerSystem> player = PlayerSystemOf(edits, number);
    if (!player) {
        return std::nullopt;
    }
    shown.name = player->name;
    shown.uncertain = player->edits != nullptr && player->edits->visibility == Visibility::Rumoured;
    shown.notes = player->edits != nullptr &&
                  (!player->edits->playerNotes.empty() || !player->edits->objectPlayerNotes.empty());
    if (player->hidden.Has(PlayerField::Stars)) {
        shown.star.reset();
    }
    if (player->hidden.Has(SizeField(record))) {
        shown.sizeClass = 1;
    }
    if (player->hidden.Has(PlayerField::Special)) {
        shown.special = false;
    }
    return shown;
}

}  // namespace nexmar
