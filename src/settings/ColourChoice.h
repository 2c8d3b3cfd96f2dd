#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class SettingsStore;
struct AppSettings;

// The seven colours of the "Colours" tab, in the order of their entry numbers (Edit_Colour).
enum class ColourEntry { Today = 0, Normal, Num, Text, Back, Fore, Inactive };
constexpr int Colour_Entry_Count = 7;

struct ColourEntryInfo {
    const char* label_name;  // Col_Today_Lbl ...
    const char* swatch_name; // Col_Today_Pic ...
    const char* caption;     // "Today Colour" ...
    const char* key;         // "Today" ... (section "Colours")
    qint32 default_value;    // what "Restore Defaults" sets
};
const ColourEntryInfo& Colour_Entry_Info(int entry);

// The pending colours of the tab, by entry number.
using ColourSet = std::array<qint32, Colour_Entry_Count>;
// The colours the settings record holds now.
ColourSet Current_Colours(const AppSettings& settings);
// The colours "Restore Defaults" puts back.
ColourSet Default_Colours();

// A plain colour 0x00BBGGRR split into its channels.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
Rgb Split_Colour(qint32 colour);
qint32 Join_Colour(const Rgb& rgb);

// The three read-outs of a sampled colour: decimal, "#RRGGBB", "r,g,b". Empty for a system colour
// (negative) or a value that is no plain colour.
struct ColourReadouts {
    QString decimal;
    QString hex;
    QString channels;
};
std::optional<ColourReadouts> Colour_Readouts(qint32 colour);

// The palette chart: 99 x 50 pixels. Column 0 is grey; across the others the hue goes once round
// the colour circle from red back to red; down each column the colour runs from white through
// the pure hue (row 24) to black (row 49).
constexpr int Palette_Width = 99;
constexpr int Palette_Height = 50;
// The colour at x, y (clamped into the chart).
qint32 Palette_Colour(int x, int y);
QImage Palette_Image();

// The 256 colours of a gradient from colour1 (step 0) to colour2 (step 255), each channel rounded
// to the nearest whole number. Empty when either colour is a system colour.
std::optional<std::array<qint32, 256>> Gradient_Colours(qint32 colour1, qint32 colour2);
// The scale marks under the gradient of a box scale_width units wide: where each tick stands and
// the number printed beside it (0 is not printed).
struct GradientMark {
    int x = 0;
    int number = 0;
};
QList<GradientMark> Gradient_Marks(double scale_width);

// What the calendar window must repaint after a colour was stored.
enum class ColourRepaint { Boxes, Today, Nums, Texts, Menus, Inactive };

// Apply's colour step: each colour that differs from the settings record is stored (section
// "Colours") and its part of the calendar repainted, in the order Normal, Today, Num, Text,
// Back, Fore, Inactive; then the menu colour source (0 system colours, 1 "Use Others...") when it
// changed, with Back and Fore written again when it is now 1; then today's box, always.
void Save_Colours(SettingsStore& store, AppSettings& settings, const ColourSet& pending,
                  qint16 menu_colour_source, const std::function<void(ColourRepaint)>& repaint);
