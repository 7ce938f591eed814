#pragma once
// The mouse wheel over a document grid: three rows per wheel step, whatever
// the wheel's resolution.

// The grid's new top row after one step; rows are grid rows with the header
// row 0, so the top row stays between 1 and rowCount - visibleRows.
int WheelTopRow(int topRow, int visibleRows, int rowCount, bool awayFromUser);

// Fine wheels and touchpads report parts of a step; a step is 120.
class WheelSteps {
public:
    // The whole steps the delta completes: positive away from the user.
    int Add(int angleDeltaY);

private:
    int pending_ = 0;
};
