#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gen/high/high_object.h"
#include "gen/high/high_system.h"
#include "report/report_writer.h"
#include "run/tree_renderer.h"
#include "support/test_support.h"

namespace nexmar::testing {

inline constexpr std::pair<int, int> kD10{1, 10};
inline constexpr std::pair<int, int> kD6{1, 6};
inline constexpr std::pair<int, int> kD4{1, 4};

// Scripted dice, a tree with one system item "System 3" and open reports in a
// fresh directory: one High-detail generator call at a time, its record shown
// in the tree and written to the reports as a run does.
class HighFixture {
public:
    HighFixture(std::vector<int> faces, bool census) : census(census), dice(std::move(faces)), reports(dir.path())
    {
        RecordingNotifier notifier;
        writer.OpenReports(notifier);
        system = tree.Insert(kNoItem, "System 3", TreeImage::System, Placement::Last);
    }

    // Object objectIndex of component A.
    HighObject Object(OrbitZone zone, int objectIndex)
    {
        const HighObject object = GenerateHighObject(dice, zone, census);
        RenderHighObject(tree, system, 3, 'A', objectIndex, object);
        writer.WriteHighObjectRows(3, 'A', objectIndex, object);
        return object;
    }

    HighSystem System() { return Show(GenerateHighSystem(dice, census)); }

    HighSystem Show(HighSystem record)
    {
        RenderHighSystem(tree, system, 3, record);
        writer.WriteHighTables(3, record);
        return record;
    }

    // Closes the reports and returns what the generator wrote to the text
    // report, and to the HTML report between its prologue and epilogue.
    std::pair<std::string, std::string> Reports()
    {
        RecordingNotifier notifier;
        writer.CloseReports(notifier);
        std::string html = ReadFile(dir.path() / kHtmlReportName);
        const std::string prologue = "<html><body>\n";
        const std::string epilogue = "</body></html>\n";
        EXPECT_EQ(html.substr(0, prologue.size()), prologue);
        EXPECT_EQ(html.substr(html.size() - epilogue.size()), epilogue);
        html = html.substr(prologue.size(), html.size() - prologue.size() - epilogue.size());
        return {ReadFile(dir.path() / kTextReportName), html};
    }

    std::vector<std::string> Texts(ItemId parent) const
    {
        std::vector<std::string> texts;
        for (const ItemId child : tree.Children(parent)) {
            texts.push_back(tree.at(child).text);
        }
        return texts;
    }

    // The texts of the system's children, each followed by its own children's.
    std::vector<std::string> Outline(ItemId parent, const std::string& indent = "") const
    {
        std::vector<std::string> lines;
        for (const ItemId child : tree.Children(parent)) {
            lines.push_back(indent + tree.at(child).text);
            for (std::string& line : Outline(child, indent + "  ")) {
                lines.push_back(std::move(line));
            }
        }
        return lines;
    }

    bool census;
    TempDir dir;
    ScriptedDice dice;
    ResultTree tree;
    ReportFiles reports;
    ReportWriter writer{reports};
    ItemId system = kNoItem;
};

}  // namespace nexmar::testing
