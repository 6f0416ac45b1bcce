#pragma once

#include "gen/records.h"

namespace nexmar {

// Sees each system's record as soon as the run has decided it, before the
// next system is rolled: outputs beside the tree and the reports (an export,
// statistics) follow the run in constant memory.
class RecordObserver {
public:
    virtual ~RecordObserver() = default;
    virtual void OnLowSystem(int /*number*/, const LowSystem& /*system*/) {}
    virtual void OnMediumSystem(int /*number*/, const MediumSystem& /*system*/) {}
    virtual void OnHighSystem(int /*number*/, const HighSystem& /*system*/) {}
};

// Chooses the systems a run shows. Every system is still rolled, so the
// dice go on as they would without it, and each system shown keeps its
// number from the run; one passed over is neither in the tree nor in the
// reports, nor handed to the observers. It is told of every system, so it
// may count them all.
class SystemChoice {
public:
    virtual ~SystemChoice() = default;
    virtual bool Shows(int number, const LowSystem& system) = 0;
    virtual bool Shows(int number, const MediumSystem& system) = 0;
    virtual bool Shows(int number, const HighSystem& system) = 0;
};

}  // namespace nexmar
