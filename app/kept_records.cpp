#include "app/kept_records.h"

#include <cstddef>

#include "run/system_picture.h"

namespace nexmar {

namespace {

// Records arrive in system order; a number out of step would draw one
// system's picture for another, so it is kept only when it is the next.
template <class Record>
void KeepNext(std::vector<Record>& kept, int number, const Record& record)
{
    if (static_cast<std::size_t>(number) == kept.size() + 1) {
        kept.push_back(record);
    }
}

template <class Record>
const Record* Numbered(const std::vector<Record>& kept, int number)
{
    if (number < 1 || static_cast<std::size_t>(number) > kept.size()) {
        return nullptr;
    }
    return &kept[static_cast<std::size_t>(number) - 1];
}

}  // namespace

void KeptRecords::OnLowSystem(int number, const LowSystem& system)
{
    KeepNext(low_, number, system);
}

void KeptRecords::OnMediumSystem(int number, const MediumSystem& system)
{
    KeepNext(medium_, number, system);
}

void KeptRecords::OnHighSystem(int number, const HighSystem& system)
{
    KeepNext(high_, number, system);
}

int KeptRecords::Count() const
{
    return static_cast<int>(low_.size() + medium_.size() + high_.size());
}

std::string KeptRecords::SystemSvg(int number) const
{
    if (const LowSystem* low = Numbered(low_, number)) {
        return LowSystemSvg(number, *low);
    }
    if (const MediumSystem* medium = Numbered(medium_, number)) {
        return MediumSystemSvg(number, *medium);
    }
    if (const HighSystem* high = Numbered(high_, number)) {
        return HighSystemSvg(number, *high);
    }
    return {};
}

}  // namespace nexmar
