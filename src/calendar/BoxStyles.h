#pragma once

#include "calendar/MonthGrid.h"

#include <array>
#include <optional>

// A rectangle in twips (1/1440 inch), the unit all window geometry is kept in.
struct TwipRect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 0;
    qint32 height = 0;
    qint32 Right() const { return left + width; }
    qint32 Bottom() const { return top + height; }
    bool operator==(const TwipRect&) const = default;
};

enum class TextAlign { Left, Centre };

// The measures of one box style.
struct StyleGeometry {
    qint32 box_height, box_width, gap;
    qint32 caption_height, caption_width;
    qint32 caption_top_offset, caption_left_offset;
    TextAlign number_align;
    TextAlign caption_align;
    // Style 2 has no room for captions: they are moved out of the window and keep their size.
    bool captions_hidden;
};

// The measures of style 0, 1 or 2; nothing for any other value.
std::optional<StyleGeometry> Style_Geometry(qint16 style);

// Where a caption goes when its style hides it: far outside any window.
constexpr qint32 Hidden_Caption_Pos = 9999;

// Geometry of every label of the calendar window and of the window itself, in twips.
struct GridLayout {
    TwipRect prev_month{90, 90, 285, 285};
    TwipRect which_month{495, 90, 0, 285};
    TwipRect next_month{0, 90, 285, 285};
    std::array<TwipRect, 7> day_headers{};
    std::array<TwipRect, Box_Count> boxes{};
    std::array<TwipRect, Box_Count> captions{};
    TextAlign number_align = TextAlign::Left;
    TextAlign caption_align = TextAlign::Centre;
    qint32 window_width = 0;
    qint32 window_height = 0;
};

// The layout the window is created with, before any style is applied (style 1, five rows).
GridLayout Design_Layout();

// Lays the window out for a style. Values other than 0, 1 and 2 leave the boxes as they are and
// only align the headers and size the window. sixth_row_visible: the month needs box 35.
void Which_Style_Layout(GridLayout& layout, qint16 style, bool sixth_row_visible);

// Compact mode: the window keeps its width and shrinks to the title strip.
void Compact_Layout(GridLayout& layout);
