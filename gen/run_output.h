#pragma once

#include "gen/records.h"
#include "gen/run_settings.h"

namespace nexmar {

// Every output of a run (the reports, the JSON document, the statistics,
// the pictures and their sheet, the records the dialog keeps) is one of
// these: told the run's settings first, then each system's record as soon
// as the run has decided it, before the next system is rolled, then the end.
// So outputs beside the tree follow a run of any size in constant memory.
class RunOutput {
public:
    virtual ~RunOutput() = default;
    virtual void Begin(const RunSettings& /*settings*/) {}
    // A system shown, under its number in the run.
    virtual void Add(int number, const SystemRecord& system) = 0;
    // After the last system; whether all the output wrote is complete.
    virtual bool Finish() { return true; }
};

// Chooses the systems a run shows. Every system is still rolled, so the
// dice go on as they would without it, and each system shown keeps its
// number from the run; one passed over is neither in the tree nor in the
// reports, nor handed to the outputs. It is told of every system, so it
// may count them all.
class SystemChoice {
public:
    virtual ~SystemChoice() = default;
    virtual bool Shows(int number, const SystemRecord& system) = 0;
};

}  // namespace nexmar
