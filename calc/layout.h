#pragma once
// The window's controls as data: one row per control, in creation order,
// with its place, texts, font and colours. The Qt window builds its widgets
// from this table and the web page lays out its elements from it, so both
// show the same controls in the same places. Behaviour lives elsewhere.

#include "calc/calcview.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace calc::layout {

enum class Kind { label, textBox, optionButton, checkBox, pushButton, frame, shape, image };
enum class Face { platform, song, hei }; // the desktop's font, 宋体, 黑体

struct Font {
    Face face = Face::platform;
    double points = 0; // at 96 DPI
    bool bold = false;
};

// Colours are 0x00BBGGRR (red in the low byte), or a system colour index
// with the top bit set. 0 means "the platform's default".
using ColourValue = std::uint32_t;
inline constexpr ColourValue menuBackground = 0x80000004;
inline constexpr ColourValue red = 0x000000FF;
inline constexpr ColourValue blue = 0x00FF0000;
inline constexpr ColourValue green = 0x00008000;
inline constexpr ColourValue magenta = 0x00FF00FF;
inline constexpr ColourValue darkRed = 0x000000C0;
inline constexpr ColourValue lightGrey = 0x00E0E0E0;
// Four push buttons light up under the pointer and go back to the grey
// the clear button starts with.
inline constexpr ColourValue buttonLit = 0x00FFFF80;
inline constexpr ColourValue buttonRest = lightGrey;
// The background of a field whose text is not a number.
inline constexpr ColourValue notANumberBackground = 0x00D7D7FF;

struct Control {
    std::string_view name; // the widget's objectName, the element's id
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

// Every control, in creation order: within a container, a later control
// lies over an earlier one of the same layer.
std::span<const Control> controls();

// The caption of an option button: "16：9", "80".
std::string_view optionCaption(Option o);

// What a screen reader says beside a result's value, which stays the
// result's exact text: its caption and unit, "幕面宽，单位毫米".
std::string resultDescription(Result r);
// The label that captions a result ("Label9" for "w").
std::string_view captionLabel(Result r);

// The label that captions an entry field ("Label5" for "mw").
std::string_view captionLabel(Entry e);

// The push buttons that light up under the pointer, each with the zone
// around it whose pointer moves put it back to rest.
struct HoverPair {
    std::string_view button;
    std::string_view zone;
};
inline constexpr std::array<HoverPair, 4> hoverPairs{{
    {"Command4", "Image2"},
    {"Command3", "Image3"},
    {"Command1", "Image4"},
    {"Command5", "Image5"},
}};

// What a screen reader calls the logo (Image1).
inline constexpr std::string_view logoName = "Korvexa";

// The clock's text: the date with leading zeros, the time without,
// "2026年12月06日4:30:7".
std::string clockText(int year, int month, int day, int hour, int minute, int second);

// The window's inside, in twips.
inline constexpr int clientWidth = 9855;
inline constexpr int clientHeight = 8220;
inline constexpr int twipsPerPixel = 15;

// The outline of the frame rectangle Shape1, which tells the chosen frame
// apart at a glance: its width in pixels and its colour.
struct Outline {
    int width;
    ColourValue colour;
};
inline constexpr Outline startOutline{6, red};
Outline frameOutline(Option frame);

} // namespace calc::layout
