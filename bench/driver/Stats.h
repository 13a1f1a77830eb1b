// A series of measurements of one figure, summarised by its median.
#pragma once

#include <string>
#include <vector>

struct Series {
    std::string measure;  // row key, e.g. "startup"
    std::string subject;  // "ravo", "baseline", "nohook"
    std::string unit;     // "ms", "KiB"
    std::vector<double> values;
};

// When set, PrintSeries first prints "values<TAB>measure<TAB>subject<TAB>v1 v2 ...".
extern bool g_printValues;

double Median(std::vector<double> values);
// Prints "result<TAB>measure<TAB>subject<TAB>median<TAB>min<TAB>max<TAB>n<TAB>unit";
// a series without values prints "n/a" figures.
void PrintSeries(const Series& series);
// Prints "note<TAB>text": something the reader of the table should know.
void PrintNote(const std::string& text);
