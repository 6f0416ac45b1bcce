#pragma once

#include <string>
#include <vector>

#include "gen/records.h"
#include "run/generation_run.h"

namespace nexmar {

// Every record of one run, kept as the run hands them over, so the picture
// of any system can be drawn again from its record: the same bytes as
// nexmar-cli writes for it. A record is a few small structs, far less than
// its picture or its part of the JSON document.
class KeptRecords final : public RecordObserver {
public:
    void OnLowSystem(int number, const LowSystem& system) override;
    void OnMediumSystem(int number, const MediumSystem& system) override;
    void OnHighSystem(int number, const HighSystem& system) override;

    int Count() const;
    // The SVG document of system number (from 1); empty when the run has
    // no such system.
    std::string SystemSvg(int number) const;

private:
    // Only the vector of the run's level is filled, in system order.
    std::vector<LowSystem> low_;
    std::vector<MediumSystem> medium_;
    std::vector<HighSystem> high_;
};

}  // namespace nexmar
