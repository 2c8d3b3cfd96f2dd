#include "settings/StylePosition.h"

#include <array>

namespace {
struct PositionRow {
    qint16 alignment;
    SliderPair sliders;
    const char* name;
};

// Alignment 7 is the manual position: it has no place on the sliders.
constexpr std::array<PositionRow, 9> Positions{{
    {0, {2, 2}, "Bottom Right"},
    {1, {1, 2}, "Bottom Center"},
    {2, {0, 2}, "Bottom Left"},
    {3, {1, 1}, "Center Screen"},
    {4, {2, 0}, "Top Right"},
    {5, {1, 0}, "Top Center"},
    {6, {0, 0}, "Top Left"},
    {8, {2, 1}, "Center Right"},
    {9, {0, 1}, "Center Left"},
}};

const PositionRow* Row_Of(qint16 alignment) {
    for (const PositionRow& row : Positions) {
        if (row.alignment == alignment)
            return &row;
    }
    return nullptr;
}

// Half of what is left over, as a whole number of twips.
qint32 Half_Difference(qint32 outer, qint32 inner) {
    return (outer - inner) / 2;
}
} // namespace

qint16 Get_Set_Position(SliderPair sliders) {
    sliders.horizontal = qBound(0, sliders.horizontal, 2);
    sliders.vertical = qBound(0, sliders.vertical, 2);
    for (const PositionRow& row : Positions) {
        if (row.sliders == sliders)
            return row.alignment;
    }
    return 0; // every pair has a row
}

std::optional<SliderPair> Set_Position_Sliders(qint16 alignment) {
    if (const PositionRow* row = Row_Of(alignment))
        return row->sliders;
    return std::nullopt;
}

QString Position_Name(qint16 alignment) {
    const PositionRow* row = Row_Of(alignment);
    return row ? QString::fromLatin1(row->name) : QString();
}

qint16 Style_Preview_Number(qint16 style) {
    switch (style) {
    case 0:
        return 2;
    case 2:
        return 3;
    default:
        return 1;
    }
}

qint16 Preview_Number_Style(qint16 preview_number) {
    switch (preview_number) {
    case 2:
        return 0;
    case 3:
        return 2;
    default:
        return 1;
    }
}

TwipRect Box_Preview_Size(qint16 preview_number) {
    switch (preview_number) {
    case 2:
        return {0, 0, 975, 360};
    case 3:
        return {0, 0, 345, 315};
    default:
        return {0, 0, 585, 540};
    }
}

PreviewLayout Small_Preview_Layout() {
    return {{800, 800, 2100, 1790}, {975, 975, 1730, 1170}, true};
}

PreviewLayout Large_Preview_Layout() {
    return {{450, 900, 2415, 2100}, {650, 1100, 2010, 1405}, false};
}

TwipRect Draw_Position_Preview(qint16 position, const TwipRect& desktop, TwipRect box) {
    switch (position) {
    case 0:
    case 1:
    case 2:
        box.top = desktop.top + desktop.height - box.height;
        break;
    case 3:
    case 8:
    case 9:
        box.top = desktop.top + Half_Difference(desktop.height, box.height);
        break;
    case 4:
    case 5:
    case 6:
        box.top = desktop.top;
        break;
    default:
        return box;
    }
    switch (position) {
    case 0:
    case 4:
    case 8:
        box.left = desktop.left + desktop.width - box.width;
        break;
    case 1:
    case 3:
    case 5:
        box.left = desktop.left + Half_Difference(desktop.width, box.width);
        break;
    default:
        box.left = desktop.left;
        break;
    }
    return box;
}
