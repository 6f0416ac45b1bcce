#pragma once

#include <memory>
#include <utility>

#include "gen/rules/house_rules.h"

namespace nexmar {

// The house rules of a run, shared by every output that reads them; none
// for the game's own tables. Two are alike when their tables are, so that
// a document read twice keeps the same settings.
class SharedRules {
public:
    SharedRules() = default;
    SharedRules(std::shared_ptr<const HouseRules> rules) : rules_(std::move(rules)) {}  // NOLINT: a plain holder

    const HouseRules* get() const { return rules_.get(); }
    explicit operator bool() const { return rules_ != nullptr; }
    bool operator==(const SharedRules& other) const
    {
        return rules_ == other.rules_ || (rules_ && other.rules_ && *rules_ == *other.rules_);
    }

private:
    std::shared_ptr<const HouseRules> rules_;
};

}  // namespace nexmar
