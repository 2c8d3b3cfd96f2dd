#pragma once

// Where the rows of a tab strip with several rows lie. Row r holds the tabs r * per_row to
// (r + 1) * per_row - 1; lines are counted from the top, and the last line touches the page.

// The line of row. The selected tab's row lies on the last line, next to its page, and the rows
// in front of it move to the back in their order, so the strip turns rather than reorders.
// selected_row outside 0 to rows - 1 (no tab selected) leaves every row on its own line.
int Tab_Row_Line(int row, int selected_row, int rows);
