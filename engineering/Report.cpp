#include "engineering/Report.h"

#include "runtime/NumberText.h"

namespace velmarith::engineering {

CoefficientTableView TableOf(const Catalogue& catalogue, std::optional<int> material) {
    const MaterialTables& tables = catalogue.Tables();
    CoefficientTableView table;
    table.grid.assign(tables.TemperatureGrid.begin(), tables.TemperatureGrid.end());
    for (int id = 0; id < catalogue.Count(); ++id) {
        if (material && *material != id) continue;
        TableRow row{
            id, catalogue.Name(id), catalogue.Low(id), catalogue.High(id), std::nullopt, {}, {}};
        for (const auto& grade : catalogue.Record(id).grades) row.grades.push_back(grade.name);
        if (Catalogue::IsBuiltIn(id)) {
            const MaterialLimits& limits = MaterialLimitsTable[id];
            const auto& elements = tables.CoefficientTable[id];
            for (int i = 0; i < kGridSize; ++i) {
                const auto at = static_cast<std::size_t>(i);
                // Only the indices a lookup can reach hold data; the rest are placeholders.
                const bool data = i >= limits.First && i <= limits.Last;
                row.points.push_back({static_cast<double>(tables.TemperatureGrid[at]),
                                      data ? std::optional(elements[at].AsDouble()) : std::nullopt,
                                      data ? elements[at].ToText() : std::string("-")});
            }
        } else {
            row.reference = catalogue.Reference(id);
            for (const auto& point : catalogue.User(id).points) {
                row.points.push_back({point.temperature, point.alpha, DoubleToText(point.alpha)});
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<std::string> TableLines(const CoefficientTableView& table) {
    std::vector<std::string> lines;
    std::string header = "材料\t适用温度(摄氏度)";
    for (const auto t : table.grid) header += "\t" + IntegerToText(t);
    lines.push_back(header);
    const auto lead = [](const TableRow& row) {
        return std::to_string(row.id) + " " + row.name + "\t" + DoubleToText(row.low) + " ~ " +
               DoubleToText(row.high);
    };
    for (const auto& row : table.rows) {
        if (row.reference) continue;
        std::string line = lead(row);
        for (const auto& point : row.points) line += "\t" + point.text;
        lines.push_back(line);
    }
    lines.emplace_back("系数单位: 10^-6 mm/mm.C, 为 20 摄氏度至该温度之间的平均线膨胀系数");
    lines.emplace_back("-: 无数据");
    bool titled = false;
    for (const auto& row : table.rows) {
        if (!row.reference) continue;
        if (!titled) {
            lines.emplace_back(
                "自定义材料 (温度:系数, 系数为参考温度至该温度之间的平均线膨胀系数):");
            titled = true;
        }
        std::string line = lead(row) + "\t参考温度 " + DoubleToText(*row.reference);
        for (const auto& point : row.points) {
            line += "\t" + DoubleToText(point.temperature) + ":" + point.text;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace velmarith::engineering
