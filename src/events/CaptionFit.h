#pragma once

#include <QString>

#include <functional>

struct AppSettings;

// Width of a text as the window would draw it, in twips.
using Text_Width = std::function<qint32(const QString&)>;

// The box style that decides how captions are fitted: "Style", or the pack's style when
// "Use Themes" and "Use Theme Style" are both 1; 0 for any other mix of those two switches.
qint16 DDD_Style(const AppSettings& settings);

// The first line of buffer that fits label_width, built word by word. The line keeps its
// trailing space; its length is what the caller cuts off the front of the text. A first word
// wider than the label is cut to fit. The whole buffer is the answer when it fits.
QString Get_Line(const QString& buffer, qint32 label_width, const Text_Width& width);

// The caption shown for text in a label label_width twips wide. Style 1 gives three lines joined
// by CR LF (empty ones included), the third ending in "..." when text is left over; any other
// style one line, ending in "..." when the text had to be cut.
QString DotDotDot(const QString& text, qint32 label_width, qint16 style, const Text_Width& width);
