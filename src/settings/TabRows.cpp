#include "settings/TabRows.h"

int Tab_Row_Line(int row, int selected_row, int rows) {
    if (rows <= 0 || selected_row < 0 || selected_row >= rows)
        return row;
    return ((row - selected_row + rows - 1) % rows + rows) % rows;
}
