#pragma once

#include "calendar/BoxStyles.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The "Style & Position" tab without its widgets: the position table behind the two three-step
// sliders, the box sizes of the preview and where the box goes inside the desktop picture.
// Geometry is in twips.

// The two sliders: horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 centre, 2 bottom.
struct SliderPair {
    int horizontal = 0;
    int vertical = 0;
    bool operator==(const SliderPair&) const = default;
};

// The "Alignment" number of a slider pair. Values outside 0..2 are taken as the nearest end.
qint16 Get_Set_Position(SliderPair sliders);
// The slider pair of an "Alignment" number; nothing for the manual position (7) and for any
// number outside the table, so the sliders stay where they are.
std::optional<SliderPair> Set_Position_Sliders(qint16 alignment);
// The name a slider shows for an "Alignment" number ("Top Left"); empty for 7 and unknown ones.
QString Position_Name(qint16 alignment);

// The preview number of a box style option (style 1 -> 1, style 0 -> 2, style 2 -> 3), and back.
qint16 Style_Preview_Number(qint16 style);
qint16 Preview_Number_Style(qint16 preview_number);
// The size of the calendar box in the preview for preview number 1..3 (width x height).
TwipRect Box_Preview_Size(qint16 preview_number);

// The two layouts of the preview: where the picture of a screen and the desktop picture inside
// it go, relative to the "Position" frame.
struct PreviewLayout {
    TwipRect screen;
    TwipRect desktop;
    bool sliders_visible;
};
PreviewLayout Small_Preview_Layout();
PreviewLayout Large_Preview_Layout();

// Where the box goes inside the desktop picture for a position: bottom row, middle row or top;
// right, centre or left column. The centre is found by halving the difference of the sizes with
// integer division, dropping the remainder. The manual position (7) and unknown numbers move
// nothing: box comes back unchanged.
TwipRect Draw_Position_Preview(qint16 position, const TwipRect& desktop, TwipRect box);
