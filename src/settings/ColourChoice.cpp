#include "settings/ColourChoice.h"

#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace {

const ColourEntryInfo Entries[Colour_Entry_Count] = {
    {"Col_Today_Lbl", "Col_Today_Pic", "Today Colour", "Today", 16761024},
    {"Col_Normal_Lbl", "Col_Normal_Pic", "Normal Day Colour", "Normal", 16777215},
    {"Col_Num_Lbl", "Col_Num_Pic", "Numbering Colour", "Num", -2147483630},
    {"Col_Text_Lbl", "Col_Text_Pic", "Text Colour", "Text", -2147483630},
    {"Col_Back_Lbl", "Col_Back_Pic", "Background", "Back", 8390687},
    {"Col_Fore_Lbl", "Col_Fore_Pic", "Foreground", "Fore", 16777215},
    {"Col_Inactive_Lbl", "Col_Inactive_Pic", "Inactive Text", "Inactive", -2147483645},
};

constexpr qint32 Plain_Colour_Max = 0xFFFFFF;
constexpr qint32 Palette_Grey = 0x7F7F7F;
constexpr int Pure_Row = 24;

// Whole numbers as the classic conversion makes them: to the nearest, halves to even.
int Round_Even(double value) {
    return int(std::nearbyint(value));
}

int Channel(double fraction) {
    return int(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0));
}

} // namespace

const ColourEntryInfo& Colour_Entry_Info(int entry) {
    return Entries[std::clamp(entry, 0, Colour_Entry_Count - 1)];
}

ColourSet Current_Colours(const AppSettings& settings) {
    return {settings.Today, settings.Normal, settings.Num,     settings.Text,
            settings.Back,  settings.Fore,   settings.Inactive};
}

ColourSet Default_Colours() {
    ColourSet colours{};
    for (int i = 0; i < Colour_Entry_Count; ++i)
        colours[i] = Entries[i].default_value;
    return colours;
}

Rgb Split_Colour(qint32 colour) {
    const qint32 blue = colour / 65536;
    const qint32 green = (colour - blue * 65536) / 256;
    const qint32 red = colour - blue * 65536 - green * 256;
    return Rgb{int(red), int(green), int(blue)};
}

qint32 Join_Colour(const Rgb& rgb) {
    return qint32(rgb.red) + qint32(rgb.green) * 256 + qint32(rgb.blue) * 65536;
}

std::optional<ColourReadouts> Colour_Readouts(qint32 colour) {
    if (colour < 0 || colour > Plain_Colour_Max)
        return std::nullopt;
    const Rgb rgb = Split_Colour(colour);
    auto hex = [](int channel) {
        return QStringLiteral("%1").arg(channel, 2, 16, QLatin1Char('0')).toUpper();
    };
    ColourReadouts readouts;
    readouts.decimal = QString::number(colour);
    readouts.hex = QLatin1Char('#') + hex(rgb.red) + hex(rgb.green) + hex(rgb.blue);
    readouts.channels = QStringLiteral("%1,%2,%3").arg(rgb.red).arg(rgb.green).arg(rgb.blue);
    return readouts;
}

qint32 Palette_Colour(int x, int y) {
    x = std::clamp(x, 0, Palette_Width - 1);
    y = std::clamp(y, 0, Palette_Height - 1);
    if (x == 0)
        return Palette_Grey;
    // Hue: columns 1..98 cover 0..360 degrees, so the last column is red again.
    const double hue = double(x - 1) * 6.0 / double(Palette_Width - 2);
    const int sector = int(std::floor(hue)) % 6;
    const double f = hue - std::floor(hue);
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0:
        r = 1, g = f, b = 0;
        break;
    case 1:
        r = 1 - f, g = 1, b = 0;
        break;
    case 2:
        r = 0, g = 1, b = f;
        break;
    case 3:
        r = 0, g = 1 - f, b = 1;
        break;
    case 4:
        r = f, g = 0, b = 1;
        break;
    default:
        r = 1, g = 0, b = 1 - f;
        break;
    }
    // Lightness: white at the top, the pure hue at row 24, black at the bottom row.
    auto shade = [y](double c) {
        if (y <= Pure_Row) {
            const double t = double(y) / Pure_Row;
            return 1.0 - t + t * c;
        }
        const double t = double(y - Pure_Row) / double(Palette_Height - 1 - Pure_Row);
        return c * (1.0 - t);
    };
    return Join_Colour(Rgb{Channel(shade(r)), Channel(shade(g)), Channel(shade(b))});
}

QImage Palette_Image() {
    QImage image(Palette_Width, Palette_Height, QImage::Format_RGB32);
    for (int y = 0; y < Palette_Height; ++y)
        for (int x = 0; x < Palette_Width; ++x) {
            const Rgb rgb = Split_Colour(Palette_Colour(x, y));
            image.setPixel(x, y, qRgb(rgb.red, rgb.green, rgb.blue));
        }
    return image;
}

std::optional<std::array<qint32, 256>> Gradient_Colours(qint32 colour1, qint32 colour2) {
    if (colour1 < 0 || colour2 < 0)
        return std::nullopt;
    const Rgb from = Split_Colour(colour1);
    const Rgb to = Split_Colour(colour2);
    // (255 - i) / 255 * a + i / 255 * b, to the nearest whole number with halves to even, in
    // whole numbers so no step is a rounding error away from its neighbour.
    auto mix = [](int a, int b, int i) {
        const int sum = (255 - i) * a + i * b;
        int whole = sum / 255;
        const int rest = sum % 255;
        if (2 * rest > 255 || (2 * rest == 255 && whole % 2 != 0))
            ++whole;
        return whole;
    };
    std::array<qint32, 256> colours{};
    for (int i = 0; i < 256; ++i)
        colours[i] = Join_Colour(Rgb{mix(from.red, to.red, i), mix(from.green, to.green, i),
                                     mix(from.blue, to.blue, i)});
    return colours;
}

QList<GradientMark> Gradient_Marks(double scale_width) {
    QList<GradientMark> marks;
    const int end = Round_Even(scale_width);
    const int step = Round_Even(scale_width / 10.0);
    if (end < 0 || step <= 0)
        return marks;
    int n = 0;
    for (int x = 0; x <= end; x += step)
        marks.append(GradientMark{x, n++});
    return marks;
}

void Save_Colours(SettingsStore& store, AppSettings& settings, const ColourSet& pending,
                  qint16 menu_colour_source, const std::function<void(ColourRepaint)>& repaint) {
    const QString section = QStringLiteral("Colours");
    auto store_colour = [&](ColourEntry entry) {
        Save_Setting(store, settings, section, QString::fromLatin1(Entries[int(entry)].key),
                     pending[int(entry)]);
    };
    struct Step {
        ColourEntry entry;
        ColourRepaint repaint;
    };
    static constexpr Step Steps[] = {
        {ColourEntry::Normal, ColourRepaint::Boxes},
        {ColourEntry::Today, ColourRepaint::Today},
        {ColourEntry::Num, ColourRepaint::Nums},
        {ColourEntry::Text, ColourRepaint::Texts},
        {ColourEntry::Back, ColourRepaint::Menus},
        {ColourEntry::Fore, ColourRepaint::Menus},
        {ColourEntry::Inactive, ColourRepaint::Inactive},
    };
    for (const Step& step : Steps) {
        if (Current_Colours(settings)[int(step.entry)] == pending[int(step.entry)])
            continue;
        store_colour(step.entry);
        repaint(step.repaint);
    }
    if (menu_colour_source != settings.Menu_Colour_Source) {
        Save_Setting(store, settings, section, QStringLiteral("Menu Colour Source"),
                     menu_colour_source);
        if (menu_colour_source == 1) {
            store_colour(ColourEntry::Back);
            store_colour(ColourEntry::Fore);
        }
        repaint(ColourRepaint::Menus);
    }
    repaint(ColourRepaint::Today);
}
