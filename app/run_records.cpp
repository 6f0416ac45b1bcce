#include "app/run_records.h"

#include <climits>
#include <istream>
#include <streambuf>

#include "run/json_import.h"

namespace nexmar {

namespace {

// Reads a document in place, without a copy of it.
class ViewBuffer final : public std::streambuf {
public:
    explicit ViewBuffer(std::string_view text)
    {
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin, begin + text.size());
    }
};

struct StopReading {};

class Visitor final : public RecordObserver {
public:
    using Visit = std::function<bool(int, int, const SystemRecord&)>;
    explicit Visitor(const Visit& visit) : visit_(visit) {}
    void OnLowSystem(int number, const LowSystem& system) override { Hand(number, &system); }
    void OnMediumSystem(int number, const MediumSystem& system) override { Hand(number, &system); }
    void OnHighSystem(int number, const HighSystem& system) override { Hand(number, &system); }

private:
    void Hand(int number, const SystemRecord& record)
    {
        if (!visit_(place_++, number, record)) {
            throw StopReading{};
        }
    }
    const Visit& visit_;
    int place_ = 0;
};

}  // namespace

void ForEachSystemRecord(std::string_view json,
                         const std::function<bool(int place, int number, const SystemRecord& record)>& visit)
{
    ViewBuffer buffer(json);
    std::istream in(&buffer);
    Visitor visitor(visit);
    JsonRunSummary summary;
    try {
        // The session's own document, written by its run: it reads back whole.
        (void)ReadJsonRun(in, INT_MAX, summary, visitor);
    } catch (const StopReading&) {
    }
}

}  // namespace nexmar
