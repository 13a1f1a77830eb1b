#include "Stats.h"

#include <algorithm>
#include <cstdio>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

bool g_printValues = false;

void PrintSeries(const Series& series)
{
    if (g_printValues && series.values.size() > 1) {
        std::printf("values\t%s\t%s", series.measure.c_str(), series.subject.c_str());
        for (size_t i = 0; i < series.values.size(); ++i)
            std::printf("%s%.2f", i == 0 ? "\t" : " ", series.values[i]);
        std::printf("\n");
    }
    if (series.values.empty()) {
        std::printf("result\t%s\t%s\tn/a\tn/a\tn/a\t0\t%s\n", series.measure.c_str(),
                    series.subject.c_str(), series.unit.c_str());
    } else {
        const auto range = std::minmax_element(series.values.begin(), series.values.end());
        std::printf("result\t%s\t%s\t%.3f\t%.3f\t%.3f\t%u\t%s\n", series.measure.c_str(),
                    series.subject.c_str(), Median(series.values), *range.first, *range.second,
                    static_cast<unsigned>(series.values.size()), series.unit.c_str());
    }
    std::fflush(stdout);
}

void PrintNote(const std::string& text)
{
    std::printf("note\t%s\n", text.c_str());
    std::fflush(stdout);
}
