#pragma once

#include <string>
#include <vector>

namespace pelmar::bench {

// How a figure stands against its target. A baseline is measured for comparison and has no
// target; Failed means the measure could not be taken.
enum class Verdict { Met, Missed, Baseline, Failed };

struct ResultRow {
    std::string measure;
    std::string figure;
    std::string target;
    Verdict verdict = Verdict::Baseline;
    std::string method;  // one line: how the figure was taken
};

inline Verdict VerdictOf(bool met) {
    return met ? Verdict::Met : Verdict::Missed;
}

// A row for a measure that could not be taken, saying why.
ResultRow FailedRow(std::string measure, std::string target, std::string why);

// Prints the rows as one plain-text table on standard output, each row followed by its
// method line.
void PrintTable(const std::vector<ResultRow>& rows);

}  // namespace pelmar::bench
