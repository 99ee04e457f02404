#pragma once

// The value axis of a chart: where it starts and ends, its steps and how its labels are
// written. Every chart of the program scales its values here, so one axis never mixes
// "1,5E+06" with "500.000".
namespace tavi
{

// Where a value axis stands against zero.
enum class AxisBase {
    // From zero always: stacked areas, whose bands are read from the bottom.
    Zero,
    // From zero when the data reach it or come near it (no farther from it than their own
    // span); otherwise fitted to the data, and the axis marked as broken.
    Data,
};

struct AxisScale {
    double min = 0;
    double max = 1;
    double step = 1;
    int tickCount = 2;
    // How the labels write the steps: in fixed notation with `decimals` places, or every one
    // of them in scientific notation when fixed labels would be too long to read.
    int decimals = 0;
    bool scientific = false;
    // The axis leaves out the stretch down to (or up to) zero.
    bool broken = false;
};

// The axis of values from `low` to `high` (as the data reach, in any order), in round steps,
// about five of them.
AxisScale valueAxisScale(double low, double high, AxisBase base);

} // namespace tavi
