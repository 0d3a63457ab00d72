#pragma once
// The window's controls as designed, as data: one row per control, in
// creation order, and one loop that builds them. Behaviour lives elsewhere
// (mainwindow.h); this file only says what is where and how it looks.

#include <cstdint>
#include <string_view>

class QWidget;

namespace screencalc::layout {

enum class Kind { label, textBox, optionButton, checkBox, pushButton, frame, shape, image };
enum class Face { platform, song, hei }; // the desktop's font, 宋体, 黑体

struct Font {
    Face face = Face::platform;
    double points = 0;
    bool bold = false;
};

// Colours are stored as the design stores them: 0x00BBGGRR, or a system
// colour index with the top bit set. 0 means "the platform's default".
using ColourValue = std::uint32_t;
inline constexpr ColourValue menuBackground = 0x80000004;
inline constexpr ColourValue red = 0x000000FF;
inline constexpr ColourValue blue = 0x00FF0000;
inline constexpr ColourValue lightGrey = 0x00E0E0E0;

struct Control {
    std::string_view name; // also the widget's objectName
    Kind kind;
    std::string_view container;   // empty: the window itself
    int left, top, width, height; // twips, relative to the container
    std::string_view text = {};   // caption, or the picture's resource path
    std::string_view toolTip = {};
    Font font = {};
    ColourValue colour = 0;     // text colour; a shape's outline colour
    ColourValue background = 0; // a shape's fill colour
    int tabIndex = -1;          // -1: no tab stop
    int maxLength = 0;          // text boxes: characters they admit
    bool selected = false;      // option buttons: the group's choice at start
};

// Creates every control of the table inside `window`, with its name, place,
// text, font, colours, stacking and tab order.
void build(QWidget& window);

// Window-level facts of the design.
inline constexpr int clientWidth = 9855; // twips
inline constexpr int clientHeight = 8220;

} // namespace screencalc::layout
