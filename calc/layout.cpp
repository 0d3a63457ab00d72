#include "calc/layout.h"

#include "calc/constants.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <string>

namespace calc::layout {

namespace {

// The facts the calculation shares with the window: entry limits, result
// captions, frame captions.
constexpr int limit(Entry e) {
    return static_cast<int>(maxLength(e));
}
constexpr std::string_view caption(Result r) {
    return captionOf(r);
}
constexpr std::string_view frameText(Option o) {
    return frameOf(o).text;
}

constexpr Font song(double points, bool bold = false) {
    return {Face::song, points, bold};
}
constexpr Font hei(double points, bool bold = false) {
    return {Face::hei, points, bold};
}
constexpr Font platform{};

using K = Kind;

// Label12 and Label13 sit on the menu background; left transparent they
// show it, whatever shade the style gives the frame inside. Within each
// container the rows are in creation order, which decides which of two
// overlapping controls of the same layer lies on top.
constexpr std::array table{
    // name, kind, container, left, top, width, height, text, tooltip, font, colour, background,
    // tab, limit, selected
    Control{"check1", K::checkBox, "", 8100, 2055, 1470, 360, "总在最前", "设置窗体最前显示",
            song(12, true), green, 0, 39},
    Control{"Command2", K::pushButton, "", 5475, 2010, 1320, 405, "最小化", "", platform, 0, 0, 35},
    Control{"Frame2", K::frame, "", 165, 2370, 9630, 4725, "计算结果", "", song(14.25), 0,
            menuBackground, 16},
    Control{"Frame1", K::frame, "", 5610, 1065, 4170, 915, "幕边框选择（mm)", "选择幕布边框度",
            song(12, true), 0, 0, 15},
    Control{"mh", K::textBox, "", 2685, 1395, 2580, 555, "", "输入幕布高", hei(15.75, true), red, 0,
            2, limit(Entry::height)},
    Control{"Command4", K::pushButton, "", 5760, 120, 4005, 735, "清   除",
            "点击所有数据清除，开始重新计算，或按ESC键执行。", song(15.75, true), 0, lightGrey, 8},
    Control{"mw", K::textBox, "", 2685, 735, 2580, 555, "", "输入幕布宽度", hei(15.75, true), red,
            0, 1, limit(Entry::width)},
    Control{"inch", K::textBox, "", 2685, 90, 2580, 555, "", "请输入要计算的英寸值（对角线）",
            hei(15.75, true), red, 0, 0, limit(Entry::diagonal)},
    Control{"Command3", K::pushButton, "", 4110, 7590, 975, 495, "进入官网",
            "一键进入官网，查看银幕产品介绍。", platform, 0, 0, 11},
    Control{"Command1", K::pushButton, "", 5220, 7590, 975, 495, "检查更新",
            "进入官网下载最新版本软件", platform, 0, 0, 32},
    Control{"Command5", K::pushButton, "", 6345, 7590, 975, 495, "退  出", "", platform, 0, 0, 36},
    Control{"Label13", K::label, "", 270, 7320, 2265, 195, "扫码下载 手机安卓版", "",
            hei(10.5, true), darkRed},
    Control{"Image6", K::image, "", 2670, 7170, 1000, 1000, ":/korvexa/download-qr.png"},
    Control{"Image5", K::image, "", 6285, 7350, 1110, 810},
    Control{"Image4", K::image, "", 5160, 7395, 1095, 780},
    Control{"Image3", K::image, "", 4005, 7395, 1125, 765},
    Control{"Image2", K::image, "", 5565, 45, 4320, 870},
    Control{"Label7", K::label, "", 150, 2070, 5175, 195,
            "说 明：以上参数三选一输入，即可全自动计算。"},
    Control{"temdate", K::label, "", 7455, 7845, 2475, 255, "系统日期时间", "", song(10.5)},
    Control{"Label6", K::label, "", 90, 1530, 2430, 435, "输入幕布高(mm):", "", song(14.25, true)},
    Control{"ver", K::label, "", 7740, 7515, 1575, 255, "版本号"},
    Control{"Label5", K::label, "", 90, 885, 2805, 435, "输入幕布宽(mm):", "", song(14.25, true)},
    Control{"Image1", K::image, "", 105, 7650, 2415, 525, ":/korvexa/logo.png"},
    Control{"Label3", K::label, "", 90, 195, 2205, 435, "输入幕布英寸:", "", song(14.25, true)},

    Control{"opt43", K::optionButton, "Frame2", 3315, 3765, 1020, 240, "4：3", "", platform, 0, 0,
            34},
    Control{"opt169", K::optionButton, "Frame2", 4920, 3720, 885, 285, "16：9", "", platform, 0, 0,
            33, 0, true},
    Control{"Label12", K::label, "Frame2", 225, 4410, 5175, 195,
            "说 明：12mm 边框存在2mm 误差，嵌入安装时以实物为准。", "", platform, magenta},
    Control{"biankuangw", K::label, "Frame2", 5340, 2070, 1185, 540, caption(Result::frameWidth),
            "", song(14.25), red},
    Control{"bkw", K::label, "Frame2", 6915, 1980, 2100, 540, "0", "边框宽（7-90mm）可选",
            song(14.25), red},
    Control{"Label1", K::label, "Frame2", 6855, 3690, 1770, 330, "比例:16：9", "", song(14.25)},
    Control{"Label2", K::label, "Frame2", 765, 3690, 1770, 330, "单位：mm", "", song(14.25)},
    Control{"inch1", K::label, "Frame2", 1785, 1950, 2115, 540, "0",
            "银幕对角线尺寸，单位英寸，1英寸=25.4mm", song(14.25), blue},
    Control{"w1", K::label, "Frame2", 6915, 1050, 2100, 540, "0", "银幕含外框宽度", song(14.25),
            red},
    Control{"h1", K::label, "Frame2", 6915, 2820, 2115, 540, "0", "银幕含外框高度", song(14.25),
            red},
    Control{"Label4", K::label, "Frame2", 5370, 1140, 1470, 540, caption(Result::outerWidth), "",
            song(14.25), red},
    Control{"Label8", K::label, "Frame2", 5355, 3000, 1470, 540, caption(Result::outerHeight), "",
            song(14.25), red},
    Control{"Label9", K::label, "Frame2", 540, 1140, 1095, 540, caption(Result::width), "",
            song(14.25), blue},
    Control{"Label10", K::label, "Frame2", 570, 2085, 945, 540, caption(Result::diagonal), "",
            song(14.25), blue},
    Control{"Label11", K::label, "Frame2", 540, 3000, 1125, 540, caption(Result::height), "",
            song(14.25), blue},
    Control{"h", K::label, "Frame2", 1785, 2820, 2115, 540, "0", "银幕投影显示区域高度",
            song(14.25), blue},
    Control{"w", K::label, "Frame2", 1785, 1050, 2115, 540, "0", "银幕投影显示区域宽度",
            song(14.25), blue},
    Control{"Shape2", K::shape, "Frame2", 330, 675, 8925, 3480, "", "", platform, blue, lightGrey},
    Control{"Shape1", K::shape, "Frame2", 180, 540, 9240, 3765, "", "", platform,
            startOutline.colour},

    Control{"Option1", K::optionButton, "Frame1", 2445, 420, 750, 360, frameText(Option::frame80),
            "80mm", song(15.75), 0, 0, 3},
    Control{"Option2", K::optionButton, "Frame1", 15, 420, 750, 360, frameText(Option::frame12),
            "12 mm ", song(15.75), 0, 0, 4, 0, true},
    Control{"Option3", K::optionButton, "Frame1", 795, 435, 750, 360, frameText(Option::frame45),
            "45 mm ", song(15.75), 0, 0, 5},
    Control{"Option4", K::optionButton, "Frame1", 1635, 420, 750, 360, frameText(Option::frame65),
            "65 mm", song(15.75), 0, 0, 6},
    Control{"Option5", K::optionButton, "Frame1", 3270, 420, 750, 360, frameText(Option::frame90),
            "90 mm", song(15.75), 0, 0, 7},
};

} // namespace

std::span<const Control> controls() {
    return table;
}

std::string_view optionCaption(Option o) {
    for (const Control& c : table) {
        if (c.name == nameOf(o)) {
            return c.text;
        }
    }
    std::abort(); // every option button is in the table
}

std::string_view captionLabel(Result r) {
    for (const Control& c : table) {
        if (c.kind == Kind::label && c.text == captionOf(r)) {
            return c.name;
        }
    }
    return {};
}

std::string_view captionLabel(Entry e) {
    switch (e) {
    case Entry::diagonal:
        return "Label3";
    case Entry::width:
        return "Label5";
    case Entry::height:
        break;
    }
    return "Label6";
}

std::string clockText(int year, int month, int day, int hour, int minute, int second) {
    const auto number = [](int n, bool twoDigits) {
        char digits[16];
        char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        std::string s(digits, static_cast<std::size_t>(end - digits));
        return twoDigits && s.size() < 2 ? "0" + s : s;
    };
    return number(year, false) + "年" + number(month, true) + "月" + number(day, true) + "日" +
           number(hour, false) + ":" + number(minute, false) + ":" + number(second, false);
}

std::string resultDescription(Result r) {
    std::string_view caption = captionOf(r);
    for (std::string_view colon : {":", "："}) {
        if (caption.ends_with(colon)) {
            caption.remove_suffix(colon.size());
        }
    }
    return std::string(caption) + "，单位" + (r == Result::diagonal ? "英寸" : "毫米");
}

Outline frameOutline(Option frame) {
    switch (frame) {
    case Option::frame80:
        return {6, red}; // 5.5 drawn, rounded half to even
    case Option::frame45:
        return {3, 0x00800080}; // purple
    case Option::frame65:
        return {4, 0x00C0C000}; // teal
    case Option::frame90:
        return {7, 0x000080FF}; // orange
    default:
        return {1, 0x00008080}; // olive, the 12 mm frame
    }
}

} // namespace calc::layout
