#include "bench/ResultTable.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace pelmar::bench {

namespace {

constexpr std::array<const char*, 4> kVerdictTexts{"yes", "NO", "baseline", "FAILED"};
constexpr std::array<const char*, 4> kHeadings{"Measure", "Figure", "Target", "Met"};

const char* VerdictText(Verdict verdict) {
    return kVerdictTexts[static_cast<std::size_t>(verdict)];
}

}  // namespace

ResultRow FailedRow(std::string measure, std::string target, std::string why) {
    return {std::move(measure), "-", std::move(target), Verdict::Failed, std::move(why)};
}

void PrintTable(const std::vector<ResultRow>& rows) {
    std::array<std::size_t, 3> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = std::string(kHeadings[column]).size();
    }
    for (const ResultRow& row : rows) {
        widths[0] = std::max(widths[0], row.measure.size());
        widths[1] = std::max(widths[1], row.figure.size());
        widths[2] = std::max(widths[2], row.target.size());
    }
    const auto line = [&](const std::string& measure, const std::string& figure,
                          const std::string& target, const char* verdict) {
        std::printf("%-*s  %-*s  %-*s  %s\n", static_cast<int>(widths[0]), measure.c_str(),
                    static_cast<int>(widths[1]), figure.c_str(), static_cast<int>(widths[2]),
                    target.c_str(), verdict);
    };
    line(kHeadings[0], kHeadings[1], kHeadings[2], kHeadings[3]);
    line(std::string(widths[0], '-'), std::string(widths[1], '-'), std::string(widths[2], '-'),
         "--------");
    for (const ResultRow& row : rows) {
        line(row.measure, row.figure, row.target, VerdictText(row.verdict));
        std::printf("    method: %s\n", row.method.c_str());
    }
}

}  // namespace pelmar::bench
