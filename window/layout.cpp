#include "layout.h"

#include "appearance.h"
#include "constants.h"
#include "controls.h"
#include "services.h"
#include "widgets.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <vector>

namespace screencalc::layout {

namespace {

constexpr Font song(double points, bool bold = false) {
    return {Face::song, points, bold};
}
constexpr Font hei(double points, bool bold = false) {
    return {Face::hei, points, bold};
}
constexpr Font platform{};
constexpr ColourValue green = 0x00008000;
constexpr ColourValue magenta = 0x00FF00FF;
constexpr ColourValue darkRed = 0x000000C0;

// The facts the calculation shares with the window: entry limits, result
// captions, frame captions.
constexpr int limit(calc::Entry e) {
    return static_cast<int>(calc::maxLength(e));
}
constexpr std::string_view caption(calc::Result r) {
    return calc::captionOf(r);
}
constexpr std::string_view frameText(calc::Option o) {
    for (const calc::Frame& f : calc::frames) {
        if (f.option == o) {
            return f.text;
        }
    }
    return {};
}
using calc::Entry;
using calc::Option;
using calc::Result;

using K = Kind;

// Label12 and Label13 carry the menu background in the design too; left
// transparent they show it, whatever shade the style gives the frame inside.
// Creation order within each container is the design's; it decides which of
// two overlapping controls of the same layer lies on top.
// clang-format off
constexpr std::array table{
    // name, kind, container, left, top, width, height, text, tooltip, font, colour, background, tab, limit, selected
    Control{"check1", K::checkBox, "", 8100, 2055, 1470, 360, "总在最前", "设置窗体最前显示", song(12, true), green, 0, 39},
    Control{"Command2", K::pushButton, "", 5475, 2010, 1320, 405, "最小化", "", platform, 0, 0, 35},
    Control{"Frame2", K::frame, "", 165, 2370, 9630, 4725, "计算结果", "", song(14.25), 0, menuBackground, 16},
    Control{"Frame1", K::frame, "", 5610, 1065, 4170, 915, "幕边框选择（mm)", "选择幕布边框度", song(12, true), 0, 0, 15},
    Control{"mh", K::textBox, "", 2685, 1395, 2580, 555, "", "输入幕布高", hei(15.75, true), red, 0, 2, limit(Entry::height)},
    Control{"Command4", K::pushButton, "", 5760, 120, 4005, 735, "清   除", "点击所有数据清除，开始重新计算，或按ESC键执行。", song(15.75, true), 0, lightGrey, 8},
    Control{"mw", K::textBox, "", 2685, 735, 2580, 555, "", "输入幕布宽度", hei(15.75, true), red, 0, 1, limit(Entry::width)},
    Control{"inch", K::textBox, "", 2685, 90, 2580, 555, "", "请输入要计算的英寸值（对角线）", hei(15.75, true), red, 0, 0, limit(Entry::diagonal)},
    Control{"Command3", K::pushButton, "", 4110, 7590, 975, 495, "进入官网", "一键进入官网，查看银幕产品介绍。", platform, 0, 0, 11},
    Control{"Command1", K::pushButton, "", 5220, 7590, 975, 495, "检查更新", "进入官网下载最新版本软件", platform, 0, 0, 32},
    Control{"Command5", K::pushButton, "", 6345, 7590, 975, 495, "退  出", "", platform, 0, 0, 36},
    Control{"Label13", K::label, "", 270, 7320, 2265, 195, "扫码下载 手机安卓版", "", hei(10.5, true), darkRed},
    Control{"Image6", K::image, "", 2670, 7170, 1000, 1000, ":/korvexa/download-qr.png"},
    Control{"Image5", K::image, "", 6285, 7350, 1110, 810},
    Control{"Image4", K::image, "", 5160, 7395, 1095, 780},
    Control{"Image3", K::image, "", 4005, 7395, 1125, 765},
    Control{"Image2", K::image, "", 5565, 45, 4320, 870},
    Control{"Label7", K::label, "", 150, 2070, 5175, 195, "说 明：以上参数三选一输入，即可全自动计算。"},
    Control{"temdate", K::label, "", 7455, 7845, 2475, 255, "系统日期时间", "", song(10.5)},
    Control{"Label6", K::label, "", 90, 1530, 2430, 435, "输入幕布高(mm):", "", song(14.25, true)},
    Control{"ver", K::label, "", 7740, 7515, 1575, 255, "版本号"},
    Control{"Label5", K::label, "", 90, 885, 2805, 435, "输入幕布宽(mm):", "", song(14.25, true)},
    Control{"Image1", K::image, "", 105, 7650, 2415, 525, ":/korvexa/logo.png"},
    Control{"Label3", K::label, "", 90, 195, 2205, 435, "输入幕布英寸:", "", song(14.25, true)},

    Control{"opt43", K::optionButton, "Frame2", 3315, 3765, 1020, 240, "4：3", "", platform, 0, 0, 34},
    Control{"opt169", K::optionButton, "Frame2", 4920, 3720, 885, 285, "16：9", "", platform, 0, 0, 33, 0, true},
    Control{"Label12", K::label, "Frame2", 225, 4410, 5175, 195, "说 明：12mm 边框存在2mm 误差，嵌入安装时以实物为准。", "", platform, magenta},
    Control{"biankuangw", K::label, "Frame2", 5340, 2070, 1185, 540, caption(Result::frameWidth), "", song(14.25), red},
    Control{"bkw", K::label, "Frame2", 6915, 1980, 2100, 540, "0", "边框宽（7-90mm）可选", song(14.25), red},
    Control{"Label1", K::label, "Frame2", 6855, 3690, 1770, 330, "比例:16：9", "", song(14.25)},
    Control{"Label2", K::label, "Frame2", 765, 3690, 1770, 330, "单位：mm", "", song(14.25)},
    Control{"inch1", K::label, "Frame2", 1785, 1950, 2115, 540, "0", "银幕对角线尺寸，单位英寸，1英寸=25.4mm", song(14.25), blue},
    Control{"w1", K::label, "Frame2", 6915, 1050, 2100, 540, "0", "银幕含外框宽度", song(14.25), red},
    Control{"h1", K::label, "Frame2", 6915, 2820, 2115, 540, "0", "银幕含外框高度", song(14.25), red},
    Control{"Label4", K::label, "Frame2", 5370, 1140, 1470, 540, caption(Result::outerWidth), "", song(14.25), red},
    Control{"Label8", K::label, "Frame2", 5355, 3000, 1470, 540, caption(Result::outerHeight), "", song(14.25), red},
    Control{"Label9", K::label, "Frame2", 540, 1140, 1095, 540, caption(Result::width), "", song(14.25), blue},
    Control{"Label10", K::label, "Frame2", 570, 2085, 945, 540, caption(Result::diagonal), "", song(14.25), blue},
    Control{"Label11", K::label, "Frame2", 540, 3000, 1125, 540, caption(Result::height), "", song(14.25), blue},
    Control{"h", K::label, "Frame2", 1785, 2820, 2115, 540, "0", "银幕投影显示区域高度", song(14.25), blue},
    Control{"w", K::label, "Frame2", 1785, 1050, 2115, 540, "0", "银幕投影显示区域宽度", song(14.25), blue},
    Control{"Shape2", K::shape, "Frame2", 330, 675, 8925, 3480, "", "", platform, blue, lightGrey},
    Control{"Shape1", K::shape, "Frame2", 180, 540, 9240, 3765, "", "", platform, designOutline.colour},

    Control{"Option1", K::optionButton, "Frame1", 2445, 420, 750, 360, frameText(Option::frame80), "80mm", song(15.75), 0, 0, 3},
    Control{"Option2", K::optionButton, "Frame1", 15, 420, 750, 360, frameText(Option::frame12), "12 mm ", song(15.75), 0, 0, 4, 0, true},
    Control{"Option3", K::optionButton, "Frame1", 795, 435, 750, 360, frameText(Option::frame45), "45 mm ", song(15.75), 0, 0, 5},
    Control{"Option4", K::optionButton, "Frame1", 1635, 420, 750, 360, frameText(Option::frame65), "65 mm", song(15.75), 0, 0, 6},
    Control{"Option5", K::optionButton, "Frame1", 3270, 420, 750, 360, frameText(Option::frame90), "90 mm", song(15.75), 0, 0, 7},
};
// clang-format on

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
        shape->setOutlineWidth(c.name == "Shape1" ? designOutline.width : 1);
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

void build(QWidget& window) {
    window.setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, colourFromValue(menuBackground));
    window.setPalette(palette);
    window.setAutoFillBackground(true);

    std::vector<std::pair<QWidget*, const Control*>> built;
    for (const Control& c : table) {
        QWidget* parent =
            c.container.empty() ? &window : window.findChild<QWidget*>(qs(c.container));
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
}

} // namespace screencalc::layout
