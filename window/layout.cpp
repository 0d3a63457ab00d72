#include "window/layout.h"

#include "calc/constants.h"
#include "calc/layout.h"
#include "window/appearance.h"
#include "window/controls.h"
#include "window/services.h"
#include "window/widgets.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <vector>

namespace screencalc::layout {

using namespace calc::layout;

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Converting the edges rather than the size keeps neighbouring controls flush.
QRect pixels(const Control& c) {
    const int x = twipsToPixels(c.left);
    const int y = twipsToPixels(c.top);
    return {x, y, twipsToPixels(c.left + c.width) - x, twipsToPixels(c.top + c.height) - y};
}

QFont fontOf(const Font& f) {
    switch (f.face) {
    case Face::song:
        return songti(f.points, f.bold);
    case Face::hei:
        return heiti(f.points, f.bold);
    case Face::platform:
        break;
    }
    return platformFont();
}

// Windowless controls (labels, pictures, shapes) are painted on their
// container, so any windowed control lies over them. Shapes are the
// results' backdrop and lie beneath the captions too.
bool windowless(Kind kind) {
    return kind == Kind::label || kind == Kind::image || kind == Kind::shape;
}

QWidget* create(const Control& c, QWidget* parent) {
    switch (c.kind) {
    case Kind::label: {
        auto* label = new QLabel(qs(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Kind::textBox: {
        auto* field = new EntryField(parent);
        field->setMaxLength(c.maxLength);
        return field;
    }
    case Kind::optionButton: {
        auto* button = new OptionButton(qs(c.text), parent);
        button->setChecked(c.selected);
        return button;
    }
    case Kind::checkBox:
        return new CheckBox(qs(c.text), parent);
    case Kind::pushButton:
        return new QPushButton(qs(c.text), parent);
    case Kind::frame: {
        auto* frame = new FrameBox(parent);
        frame->setTitle(qs(c.text));
        return frame;
    }
    case Kind::shape: {
        auto* shape = new ShapeBox(parent);
        shape->setOutlineColour(colourFromValue(c.colour));
        shape->setOutlineWidth(c.name == "Shape1" ? startOutline.width : 1);
        if (c.background != 0) {
            shape->setFillColour(colourFromValue(c.background));
        }
        return shape;
    }
    case Kind::image: {
        auto* image = new PictureBox(parent);
        if (!c.text.empty()) {
            // The download code keeps hard edges so that it still scans.
            image->setPicture(pngPicture(qs(c.text)), c.name != "Image6");
        }
        return image;
    }
    }
    return nullptr;
}

void style(QWidget* widget, const Control& c) {
    widget->setFont(fontOf(c.font));
    if (!c.toolTip.empty()) {
        widget->setToolTip(qs(c.toolTip));
    }
    if (c.colour != 0 && c.kind != Kind::shape) {
        setTextColour(*widget, colourFromValue(c.colour));
    }
    if (c.background != 0 && c.kind != Kind::shape) {
        QPalette palette = widget->palette();
        const QColor colour = colourFromValue(c.background);
        palette.setColor(c.kind == Kind::pushButton ? QPalette::Button : QPalette::Window, colour);
        widget->setPalette(palette);
        widget->setAutoFillBackground(c.kind != Kind::pushButton);
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        // Captions sit at the top of their box; boxes lower than a line (the
        // one-line notes) grow evenly about their middle, so no glyph is cut.
        const int grow =
            label->fontMetrics().boundingRect(label->text()).height() - label->height();
        label->setAlignment(Qt::AlignLeft | (grow > 0 ? Qt::AlignVCenter : Qt::AlignTop));
        if (grow > 0) {
            label->setGeometry(label->geometry().adjusted(0, -grow / 2, 0, grow - grow / 2));
        }
    }
}

} // namespace

namespace {

template <class W> W* as(QWidget* widget) {
    auto* typed = qobject_cast<W*>(widget);
    Q_ASSERT(typed != nullptr);
    return typed;
}

constexpr std::size_t slot(auto e) {
    return static_cast<std::size_t>(e);
}

// The table's names tied to what each control is for.
Controls byPurpose(const auto& named) {
    Controls c;
    for (const calc::EntryField& f : calc::entryFields) {
        c.entries[slot(f.entry)] = as<EntryField>(named(f.name));
    }
    c.entryCaptions = {as<QLabel>(named("Label3")), as<QLabel>(named("Label5")),
                       as<QLabel>(named("Label6"))};
    for (const calc::OptionControl& o : calc::optionControls) {
        c.options[slot(o.option)] = as<OptionButton>(named(o.name));
    }
    for (const calc::ResultLabel& r : calc::resultLabels) {
        c.results[slot(r.result)] = as<QLabel>(named(r.name));
        c.resultCaptions[slot(r.result)] = as<QLabel>(named(captionLabel(r.result)));
    }
    c.frameOutline = as<ShapeBox>(named("Shape1"));
    c.keepOnTop = as<QCheckBox>(named("check1"));
    c.minimiseButton = as<QPushButton>(named("Command2"));
    c.exitButton = as<QPushButton>(named("Command5"));
    c.clearButton = as<QPushButton>(named("Command4"));
    c.updateButton = as<QPushButton>(named("Command1"));
    c.websiteButton = as<QPushButton>(named("Command3"));
    c.clearZone = as<PictureBox>(named("Image2"));
    c.websiteZone = as<PictureBox>(named("Image3"));
    c.updateZone = as<PictureBox>(named("Image4"));
    c.exitZone = as<PictureBox>(named("Image5"));
    c.logo = as<PictureBox>(named("Image1"));
    c.downloadCode = as<PictureBox>(named("Image6"));
    c.version = as<QLabel>(named("ver"));
    c.clock = as<QLabel>(named("temdate"));
    return c;
}

} // namespace

Controls build(QWidget& window) {
    window.setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, colourFromValue(menuBackground));
    window.setPalette(palette);
    window.setAutoFillBackground(true);

    std::vector<std::pair<QWidget*, const Control*>> built;
    const auto named = [&built](std::string_view name) -> QWidget* {
        const auto it = std::find_if(built.begin(), built.end(),
                                     [name](const auto& b) { return b.second->name == name; });
        Q_ASSERT(it != built.end());
        return it->first;
    };
    for (const Control& c : controls()) {
        QWidget* parent = c.container.empty() ? &window : named(c.container);
        QWidget* widget = create(c, parent);
        widget->setObjectName(qs(c.name));
        widget->setGeometry(pixels(c));
        style(widget, c);
        built.emplace_back(widget, &c);
    }

    // Stacking, bottom to top: shapes, the other windowless controls, the
    // frames, then every other windowed control, each layer in creation
    // order. The frames' empty margins must not cover the buttons beside them.
    const auto lowerAll = [&](auto&& which) {
        for (auto it = built.rbegin(); it != built.rend(); ++it) {
            if (which(it->second->kind)) {
                it->first->lower();
            }
        }
    };
    lowerAll([](Kind k) { return k == Kind::frame; });
    lowerAll([](Kind k) { return windowless(k) && k != Kind::shape; });
    lowerAll([](Kind k) { return k == Kind::shape; });

    std::vector<std::pair<QWidget*, const Control*>> stops;
    std::copy_if(built.begin(), built.end(), std::back_inserter(stops), [](const auto& b) {
        return b.second->tabIndex >= 0 && b.second->kind != Kind::frame;
    });
    std::sort(stops.begin(), stops.end(),
              [](const auto& a, const auto& b) { return a.second->tabIndex < b.second->tabIndex; });
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1].first, stops[i].first);
    }
    return byPurpose(named);
}

} // namespace screencalc::layout
