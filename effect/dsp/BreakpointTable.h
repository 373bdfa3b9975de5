#pragma once

#include <vector>

// Breakpoints read by linear interpolation. The first column is the key; a key that
// no pair of rows brackets (below, above or not a number) reads 0 in every column.
class BreakpointTable
{
public:
    BreakpointTable (int numColumns, std::vector<double> rowMajorValues);

    int getNumColumns() const { return columns; }
    int getNumRows() const { return rows; }

    // Value column 1 .. numColumns - 1 at the key.
    double lookup (double key, int column = 1) const;

private:
    int columns = 0;
    int rows = 0;
    std::vector<double> values;
};
