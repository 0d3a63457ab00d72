#pragma once
// Builds the window's widgets from the control table in calc/layout.h and
// hands back the ones the window works with, each by what it is for. The
// widgets keep the table's names as objectNames, which tests and tools find
// them by; the window's own code never looks a control up by name.

#include "calc/calcview.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace screencalc {

class EntryField;
class OptionButton;
class PictureBox;
class ShapeBox;

namespace layout {

struct Controls {
    std::array<EntryField*, calc::entryFields.size()> entries{};      // by calc::Entry
    std::array<QLabel*, calc::entryFields.size()> entryCaptions{};    // by calc::Entry
    std::array<OptionButton*, calc::optionControls.size()> options{}; // by calc::Option
    std::array<QLabel*, calc::resultLabels.size()> results{};         // by calc::Result
    std::array<QLabel*, calc::resultLabels.size()> resultCaptions{};  // by calc::Result
    ShapeBox* frameOutline = nullptr; // outlined in the chosen frame's style
    QCheckBox* keepOnTop = nullptr;
    QPushButton* minimiseButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* updateButton = nullptr;  // opens the download page
    QPushButton* websiteButton = nullptr; // opens the product page
    // The invisible zones around four buttons, where a lit button goes dark.
    PictureBox* clearZone = nullptr;
    PictureBox* websiteZone = nullptr;
    PictureBox* updateZone = nullptr;
    PictureBox* exitZone = nullptr;
    PictureBox* logo = nullptr;
    PictureBox* downloadCode = nullptr; // scanned for the phone edition
    QLabel* version = nullptr;
    QLabel* clock = nullptr;
};

// Creates every control of the table inside `window`, with its name, place,
// text, font, colours, stacking and tab order.
Controls build(QWidget& window);

} // namespace layout
} // namespace screencalc
