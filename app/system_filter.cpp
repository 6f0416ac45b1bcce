#include "app/system_filter.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "model/run_records.h"
#include "app/run_session.h"
#include "query/system_query.h"

namespace nexmar {

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view lowerNeedle)
{
    const auto lower = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    };
    return std::search(text.begin(), text.end(), lowerNeedle.begin(), lowerNeedle.end(), lower) != text.end();
}

// Appends the items of the subtree at item whose text holds needle, in pre-order.
void FindInSubtree(const ShownTree& tree, ItemId item, std::string_view needle, std::vector<ItemId>& matches)
{
    if (ContainsIgnoringCase(tree.at(item).text, needle)) {
        matches.push_back(item);
    }
    for (const ItemId child : tree.at(item).children) {
        FindInSubtree(tree, child, needle, matches);
    }
}

}  // namespace

std::span<const ItemId> SystemItems(const ShownTree& tree)
{
    return tree.Children(kNoItem).empty() ? std::span<const ItemId>() : tree.Children(tree.Children(kNoItem).front());
}

SystemFilter FilterSystems(const RunSession& session, const QString& text)
{
    SystemFilter filter;
    const ShownTree& tree = *session.Tree();
    const std::span<const ItemId> systems = SystemItems(tree);
    const std::string typed = text.trimmed().toStdString();
    if (typed.empty()) {
        filter.systems.assign(systems.begin(), systems.end());
        return filter;
    }
    SystemQueryParse parse = ParseSystemQuery(typed, session.Description().level);
    if (parse.query) {
        filter.isQuery = true;
        const SystemQuery& query = *parse.query;
        const RunRecords& records = session.Records();
        for (std::size_t place = 0; place < records.size() && place < systems.size(); ++place) {
            const int number = records.NumberAt(place);
            if (std::visit([&](const auto* system) { return query.Matches(number, *system, nullptr, &records.Edits()); },
                           records.At(place))) {
                filter.systems.push_back(systems[place]);
            }
        }
        filter.matches = filter.systems;
        return filter;
    }
    filter.notAQuery = QString::fromStdString(parse.error);
    std::string needle = typed;
    std::transform(needle.begin(), needle.end(), needle.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ItemId system : systems) {
        const std::size_t before = filter.matches.size();
        FindInSubtree(tree, system, needle, filter.matches);
        if (filter.matches.size() != before) {
            filter.systems.push_back(system);
        }
    }
    return filter;
}

}  // namespace nexmar
