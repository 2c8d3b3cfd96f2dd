#include "calendar/BoxStyles.h"

std::optional<StyleGeometry> Style_Geometry(qint16 style) {
    switch (style) {
    case 0:
        return StyleGeometry{320,  1275, 100, 220, 870, 55, 360, TextAlign::Left, TextAlign::Left,
                             false};
    case 1:
        return StyleGeometry{915,  825, 75, 600, 735, 270, 45, TextAlign::Left, TextAlign::Centre,
                             false};
    case 2:
        return StyleGeometry{285, 375, 75, 0, 0, 0, 0, TextAlign::Centre, TextAlign::Centre, true};
    default:
        return std::nullopt;
    }
}

namespace {
constexpr qint32 Grid_Left = 90;
constexpr qint32 Grid_Top = 810;
constexpr qint32 Header_Top = 450;
constexpr qint32 Header_Height = 285;
constexpr qint32 Margin = 90;
constexpr qint32 Title_Gap = 100;

void Place_Boxes(GridLayout& layout, const StyleGeometry& g) {
    for (int i = 0; i < Box_Count; ++i) {
        const int row = i / 7;
        const int column = i % 7;
        TwipRect& box = layout.boxes[i];
        box.height = g.box_height;
        box.width = g.box_width;
        if (row == 0)
            box.top = Grid_Top;
        else
            box.top = layout.boxes[7 * (row - 1)].Bottom() + g.gap;
        if (column == 0)
            box.left = Grid_Left;
        else
            box.left = layout.boxes[column - 1].Right() + g.gap;

        TwipRect& caption = layout.captions[i];
        if (g.captions_hidden) {
            caption.top = Hidden_Caption_Pos;
            caption.left = Hidden_Caption_Pos;
        } else {
            caption.height = g.caption_height;
            caption.width = g.caption_width;
            caption.top = box.top + g.caption_top_offset;
            caption.left = box.left + g.caption_left_offset;
        }
    }
    layout.number_align = g.number_align;
    if (!g.captions_hidden)
        layout.caption_align = g.caption_align;
}
} // namespace

void Which_Style_Layout(GridLayout& layout, qint16 style, bool sixth_row_visible) {
    if (const auto geometry = Style_Geometry(style))
        Place_Boxes(layout, *geometry);

    for (int c = 0; c < 7; ++c) {
        layout.day_headers[c] = {layout.boxes[c].left, Header_Top, layout.boxes[c].width,
                                 Header_Height};
    }
    const TwipRect& last_header = layout.day_headers[6];
    layout.next_month.left = last_header.Right() - layout.next_month.width;
    layout.which_month.width = layout.next_month.left - layout.which_month.left - Title_Gap;
    layout.window_width = layout.boxes[6].Right() + Margin;
    layout.window_height =
        (sixth_row_visible ? layout.boxes[36].Bottom() : layout.boxes[28].Bottom()) + Margin;
}

void Compact_Layout(GridLayout& layout) {
    layout.window_height = layout.which_month.Bottom() + 50;
}

GridLayout Design_Layout() {
    GridLayout layout;
    Which_Style_Layout(layout, 1, false);
    return layout;
}
