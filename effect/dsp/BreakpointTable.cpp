#include "effect/dsp/BreakpointTable.h"

#include <cstddef>
#include <utility>

BreakpointTable::BreakpointTable (int numColumns, std::vector<double> rowMajorValues)
    : columns (numColumns), values (std::move (rowMajorValues))
{
    rows = columns > 0 ? static_cast<int> (values.size()) / columns : 0;
}

double BreakpointTable::lookup (double key, int column) const
{
    if (rows < 2 || columns < 2 || column < 1 || column >= columns)
        return 0.0;

    for (int i = 0; i + 1 < rows; ++i)
    {
        const double* lo = &values[static_cast<std::size_t> (i * columns)];
        const double* hi = lo + columns;
        if (lo[0] <= key && key <= hi[0])
        {
            const double width = hi[0] - lo[0];
            if (width <= 0.0)
                return lo[column];
            return lo[column] + (hi[column] - lo[column]) * (key - lo[0]) / width;
        }
    }
    return 0.0;
}
