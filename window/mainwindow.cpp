#include "mainwindow.h"

#include "appearance.h"
#include "constants.h"
#include "entryfilter.h"
#include "fixedstyle.h"
#include "platform.h"
#include "services.h"
#include "widgets.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace screencalc {

using calc::Entry;
using calc::Option;
using calc::Result;

namespace {

// Colour values as the design stores them (0x00BBGGRR).
constexpr std::uint32_t menuBackground = 0x80000004;
constexpr std::uint32_t red = 0x000000FF;
constexpr std::uint32_t blue = 0x00FF0000;
constexpr std::uint32_t green = 0x00008000;
constexpr std::uint32_t magenta = 0x00FF00FF;
constexpr std::uint32_t darkRed = 0x000000C0;
constexpr std::uint32_t lightGrey = 0x00E0E0E0;
constexpr std::uint32_t hoverColour = 0x00FFFF80;
constexpr std::uint32_t restColour = 0x00E0E0E0;

// A field whose text does not convert: pale red until it converts again.
const QColor notANumberBackground(255, 215, 215);

// Positions are in twips, relative to the container; converting the edges
// rather than the size keeps neighbouring controls flush.
QRect twips(int left, int top, int width, int height) {
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

template <class W> W* place(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

void setTextColour(QWidget* widget, std::uint32_t value) {
    QPalette palette = widget->palette();
    const QColor colour = colourFromValue(value);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, std::uint32_t value) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colourFromValue(value));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
              const QFont& font) {
    auto* caption = place<QLabel>(parent, name, geometry);
    caption->setText(text);
    caption->setFont(font);
    caption->setTextFormat(Qt::PlainText);
    // Captions sit at the top of their box; boxes lower than a line (the
    // one-line notes) grow evenly about their middle, so no glyph is cut off.
    const int grow = caption->fontMetrics().boundingRect(text).height() - geometry.height();
    caption->setAlignment(Qt::AlignLeft | (grow > 0 ? Qt::AlignVCenter : Qt::AlignTop));
    if (grow > 0) {
        caption->setGeometry(geometry.adjusted(0, -grow / 2, 0, grow - grow / 2));
    }
    return caption;
}

} // namespace

OnTopWindow::OnTopWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    setObjectName(QStringLiteral("onTop"));
    setWindowTitle(QStringLiteral("Korvexa--全自动银幕尺寸计算器3.1 PC版"));
    setWindowIcon(pngPicture(QStringLiteral(":/korvexa/app-icon.png")));
    setFixedSize(twipsToPixels(9855), twipsToPixels(8220));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setBackground(this, menuBackground);

    buttonStyle_ = new FixedMetricsStyle(QStringLiteral("Fusion"));
    buttonStyle_->setParent(this);

    // Creation order is stacking order: later siblings lie on top.
    check1_ = place<QCheckBox>(this, "check1", twips(8100, 2055, 1470, 360));
    check1_->setText(QStringLiteral("总在最前"));
    check1_->setToolTip(QStringLiteral("设置窗体最前显示"));
    check1_->setFont(songti(12, true));
    setTextColour(check1_, green);

    command2_ = place<QPushButton>(this, "Command2", twips(5475, 2010, 1320, 405));
    command2_->setText(QStringLiteral("最小化"));

    buildResults();
    buildFrameChoice();
    buildEntryArea();
    buildBottomStrip();
    setUpTabOrder();

    for (QPushButton* button : {command1_, command2_, command3_, command4_, command5_}) {
        if (buttonStyle_ != nullptr) {
            button->setStyle(buttonStyle_);
        }
    }
    setButtonColour(command4_, lightGrey);

    connectEvents();
    formLoad();
    entry(Entry::inch)->setFocus(Qt::OtherFocusReason);
}

OnTopWindow::~OnTopWindow() = default;

void OnTopWindow::buildEntryArea() {
    struct Field {
        Entry entry;
        const char* name;
        QRect geometry;
        const char* caption;
        QRect captionGeometry;
        const char* captionText;
        const char* toolTip;
        int maxLength;
    };
    const Field fields[] = {
        {Entry::mh, "mh", twips(2685, 1395, 2580, 555), "Label6", twips(90, 1530, 2430, 435),
         "输入幕布高(mm):", "输入幕布高", 9},
        {Entry::mw, "mw", twips(2685, 735, 2580, 555), "Label5", twips(90, 885, 2805, 435),
         "输入幕布宽(mm):", "输入幕布宽度", 9},
        {Entry::inch, "inch", twips(2685, 90, 2580, 555), "Label3", twips(90, 195, 2205, 435),
         "输入幕布英寸:", "请输入要计算的英寸值（对角线）", 6},
    };
    for (const Field& f : fields) {
        auto* field = place<QLineEdit>(this, f.name, f.geometry);
        field->setFont(heiti(15.75, true));
        setTextColour(field, red);
        field->setToolTip(QString::fromUtf8(f.toolTip));
        field->setMaxLength(f.maxLength);
        field->setValidator(makeWholeCharacterValidator(field));
        // An input method could commit text the key filter never sees, and a
        // drop would bypass it too; pasting stays, cut to the length limit.
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        field->setAcceptDrops(false);
        field->installEventFilter(this);
        entry(f.entry) = field;
        entryToolTips_[static_cast<std::size_t>(f.entry)] = field->toolTip();

        // The caption names the field for screen readers.
        QLabel* caption = label(this, f.caption, f.captionGeometry,
                                QString::fromUtf8(f.captionText), songti(14.25, true));
        caption->setBuddy(field);
    }

    label(this, "Label7", twips(150, 2070, 5175, 195),
          QStringLiteral("说 明：以上参数三选一输入，即可全自动计算。"), platformFont());
}

void OnTopWindow::buildFrameChoice() {
    command4_ = place<QPushButton>(this, "Command4", twips(5760, 120, 4005, 735));
    command4_->setText(QStringLiteral("清   除"));
    command4_->setToolTip(QStringLiteral("点击所有数据清除，开始重新计算，或按ESC键执行。"));
    command4_->setFont(songti(15.75, true));

    auto* frame1 = place<FrameBox>(this, "Frame1", twips(5610, 1065, 4170, 915));
    frame1->setTitle(QStringLiteral("幕边框选择（mm)"));
    frame1->setToolTip(QStringLiteral("选择幕布边框度"));
    frame1->setFont(songti(12, true));

    struct FrameOption {
        Option option;
        const char* name;
        QRect geometry;
        const char* text;
        const char* toolTip;
    };
    const FrameOption frameOptions[] = {
        {Option::Option1, "Option1", twips(2445, 420, 750, 360), "80", "80mm"},
        {Option::Option2, "Option2", twips(15, 420, 750, 360), "12", "12 mm "},
        {Option::Option3, "Option3", twips(795, 435, 750, 360), "45", "45 mm "},
        {Option::Option4, "Option4", twips(1635, 420, 750, 360), "65", "65 mm"},
        {Option::Option5, "Option5", twips(3270, 420, 750, 360), "90", "90 mm"},
    };
    for (const FrameOption& f : frameOptions) {
        auto* button = place<QRadioButton>(frame1, f.name, f.geometry);
        button->setText(QString::fromUtf8(f.text));
        button->setToolTip(QString::fromUtf8(f.toolTip));
        button->setFont(songti(15.75));
        button->installEventFilter(this);
        options_[static_cast<std::size_t>(f.option)] = button;
    }
    option(Option::Option2)->setChecked(true);
}

void OnTopWindow::buildResults() {
    auto* frame2 = place<FrameBox>(this, "Frame2", twips(165, 2370, 9630, 4725));
    frame2->setTitle(QStringLiteral("计算结果"));
    frame2->setFont(songti(14.25));
    setBackground(frame2, menuBackground);

    auto* opt43 = place<QRadioButton>(frame2, "opt43", twips(3315, 3765, 1020, 240));
    opt43->setText(QStringLiteral("4：3"));
    opt43->setFont(platformFont());
    auto* opt169 = place<QRadioButton>(frame2, "opt169", twips(4920, 3720, 885, 285));
    opt169->setText(QStringLiteral("16：9"));
    opt169->setFont(platformFont());
    opt169->setChecked(true);
    options_[static_cast<std::size_t>(Option::opt43)] = opt43;
    options_[static_cast<std::size_t>(Option::opt169)] = opt169;

    QLabel* label12 = label(frame2, "Label12", twips(225, 4410, 5175, 195),
                            QStringLiteral("说 明：12mm 边框存在2mm 误差，嵌入安装时以实物为准。"),
                            platformFont());
    setTextColour(label12, magenta);
    // Its background is the frame's own colour: left transparent, it matches
    // whatever shade the style gives the frame's inside.

    const QFont resultFont = songti(14.25);
    struct Caption {
        const char* name;
        QRect geometry;
        const char* text;
        std::uint32_t colour;
    };
    const Caption captions[] = {
        {"biankuangw", twips(5340, 2070, 1185, 540), "边框宽：", red},
        {"Label1", twips(6855, 3690, 1770, 330), "比例:16：9", 0},
        {"Label2", twips(765, 3690, 1770, 330), "单位：mm", 0},
        {"Label4", twips(5370, 1140, 1470, 540), "含外框宽：", red},
        {"Label8", twips(5355, 3000, 1470, 540), "含外框高：", red},
        {"Label9", twips(540, 1140, 1095, 540), "幕面宽:", blue},
        {"Label10", twips(570, 2085, 945, 540), "英寸：", blue},
        {"Label11", twips(540, 3000, 1125, 540), "幕面高:", blue},
    };
    struct ResultLabel {
        Result result;
        const char* name;
        QRect geometry;
        const char* toolTip;
        std::uint32_t colour;
    };
    const ResultLabel resultLabels[] = {
        {Result::bkw, "bkw", twips(6915, 1980, 2100, 540), "边框宽（7-90mm）可选", red},
        {Result::inch1, "inch1", twips(1785, 1950, 2115, 540),
         "银幕对角线尺寸，单位英寸，1英寸=25.4mm", blue},
        {Result::w1, "w1", twips(6915, 1050, 2100, 540), "银幕含外框宽度", red},
        {Result::h1, "h1", twips(6915, 2820, 2115, 540), "银幕含外框高度", red},
        {Result::h, "h", twips(1785, 2820, 2115, 540), "银幕投影显示区域高度", blue},
        {Result::w, "w", twips(1785, 1050, 2115, 540), "银幕投影显示区域宽度", blue},
    };
    for (const Caption& c : captions) {
        QLabel* caption = label(frame2, c.name, c.geometry, QString::fromUtf8(c.text), resultFont);
        if (c.colour != 0) {
            setTextColour(caption, c.colour);
        }
    }
    for (const ResultLabel& r : resultLabels) {
        QLabel* value = label(frame2, r.name, r.geometry, QStringLiteral("0"), resultFont);
        setTextColour(value, r.colour);
        // A screen reader reads the value as the name and the tooltip as what it means.
        value->setToolTip(QString::fromUtf8(r.toolTip));
        value->setAccessibleDescription(value->toolTip());
        results_[static_cast<std::size_t>(r.result)] = value;
    }

    auto* shape2 = place<ShapeBox>(frame2, "Shape2", twips(330, 675, 8925, 3480));
    shape2->setOutlineColour(colourFromValue(blue));
    shape2->setOutlineWidth(1);
    shape2->setFillColour(colourFromValue(lightGrey));
    shape1_ = place<ShapeBox>(frame2, "Shape1", twips(180, 540, 9240, 3765));
    shape1_->setOutlineWidth(calc::startOutlineWidth);
    shape1_->setOutlineColour(colourFromValue(calc::startOutlineColour));
    // The rectangles are the results' backdrop: the captions must stay visible.
    shape1_->lower();
    shape2->lower();
}

void OnTopWindow::buildBottomStrip() {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);

    command3_ = place<QPushButton>(this, "Command3", twips(4110, 7590, 975, 495));
    command3_->setText(QStringLiteral("进入官网"));
    command3_->setToolTip(QStringLiteral("一键进入官网，查看银幕产品介绍。"));
    command1_ = place<QPushButton>(this, "Command1", twips(5220, 7590, 975, 495));
    command1_->setText(QStringLiteral("检查更新"));
    command1_->setToolTip(QStringLiteral("进入官网下载最新版本软件"));
    command5_ = place<QPushButton>(this, "Command5", twips(6345, 7590, 975, 495));
    command5_->setText(QStringLiteral("退  出"));

    QLabel* label13 = label(this, "Label13", twips(270, 7320, 2265, 195),
                            QStringLiteral("扫码下载 手机安卓版"), heiti(10.5, true));
    setTextColour(label13, darkRed); // on the window's own background

    auto* image6 = place<PictureBox>(this, "Image6", twips(2670, 7170, 1000, 1000));
    image6->setPicture(pngPicture(QStringLiteral(":/korvexa/download-qr.png")), false);
    // Screen readers get what the code stands for; sighted users scan it.
    image6->setAccessibleName(QStringLiteral("扫码下载 手机安卓版"));

    // The invisible zones around four buttons: moving over one gives its
    // button the rest colour back. They lie below the buttons so that the
    // buttons still get their own clicks and moves.
    const std::pair<const char*, QRect> zones[] = {
        {"Image5", twips(6285, 7350, 1110, 810)},
        {"Image4", twips(5160, 7395, 1095, 780)},
        {"Image3", twips(4005, 7395, 1125, 765)},
        {"Image2", twips(5565, 45, 4320, 870)},
    };
    QPushButton* const owners[] = {command5_, command1_, command3_, command4_};
    for (std::size_t i = 0; i < std::size(zones); ++i) {
        auto* zone = place<PictureBox>(this, zones[i].first, zones[i].second);
        zone->setMouseTracking(true);
        zone->installEventFilter(this);
        zone->lower();
        hoverZones_[i] = {zone, owners[i]};
    }
    for (QPushButton* button : {command1_, command3_, command4_, command5_}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }

    temdate_ = label(this, "temdate", twips(7455, 7845, 2475, 255), QStringLiteral("系统日期时间"),
                     songti(10.5));
    ver_ =
        label(this, "ver", twips(7740, 7515, 1575, 255), QStringLiteral("版本号"), platformFont());

    auto* image1 = place<PictureBox>(this, "Image1", twips(105, 7650, 2415, 525));
    image1->setPicture(pngPicture(QStringLiteral(":/korvexa/logo.png")));
    image1->setAccessibleName(QStringLiteral("Korvexa"));
}

void OnTopWindow::setUpTabOrder() {
    QWidget* const order[] = {
        entry(Entry::inch),
        entry(Entry::mw),
        entry(Entry::mh),
        option(Option::Option1),
        option(Option::Option2),
        option(Option::Option3),
        option(Option::Option4),
        option(Option::Option5),
        command4_,
        command3_,
        command1_,
        option(Option::opt169),
        option(Option::opt43),
        command2_,
        command5_,
        check1_,
    };
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void OnTopWindow::connectEvents() {
    for (Entry e : {Entry::inch, Entry::mw, Entry::mh}) {
        // textChanged comes once per real change, typed or set by code.
        connect(entry(e), &QLineEdit::textChanged, this, [this, e] { runChange(e); });
    }
    for (std::size_t i = 0; i < options_.size(); ++i) {
        const auto o = static_cast<Option>(i);
        connect(option(o), &QRadioButton::toggled, this, [this, o](bool selected) {
            if (selected) {
                runClick(o);
            }
        });
    }
    connect(check1_, &QCheckBox::toggled, this, [this](bool ticked) { check1Click(ticked); });
    connect(command2_, &QPushButton::clicked, this, [this] { platform_.minimise(*this); });
    connect(command5_, &QPushButton::clicked, this, [this] { platform_.exitProgram(*this); });
    connect(command4_, &QPushButton::clicked, this, [this] { clearAll(); });
    connect(command1_, &QPushButton::clicked, this,
            [this] { platform_.openUrl(downloadPageUrl()); });
    connect(command3_, &QPushButton::clicked, this,
            [this] { platform_.openUrl(productPageUrl()); });
    connect(timer1_, &QTimer::timeout, this, [this] { timer1Timer(); });
}

void OnTopWindow::formLoad() {
    ver_->setText(versionText());
    centreOnScreen();
    timer1_->start();
}

void OnTopWindow::centreOnScreen() {
    const QRect screen = platform_.primaryScreen();
    if (screen.isEmpty()) {
        return;
    }
    // The outer size, title bar and frame included, once the desktop has
    // framed the window; before that it is the inner size.
    const QSize outer = frameGeometry().size();
    const int left =
        centredTwips(double(screen.width()) * twipsPerPixel, double(outer.width()) * twipsPerPixel);
    const int top = centredTwips(double(screen.height()) * twipsPerPixel,
                                 double(outer.height()) * twipsPerPixel);
    move(screen.x() + twipsToPixels(left), screen.y() + twipsToPixels(top));
    centredForSize_ = outer;
}

void OnTopWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // The frame is known only once the window is on screen; if it
        // changed the outer size, centre again with the real one.
        QTimer::singleShot(0, this, [this] {
            if (frameGeometry().size() != centredForSize_) {
                centreOnScreen();
            }
        });
    }
}

bool OnTopWindow::focusNextPrevChild(bool next) {
    // Tab stops once per option group, at its selected button, as desktop
    // users know it; the arrow keys move within the group. Qt itself stops
    // at whichever button of the group comes first and skips the rest.
    if (!QWidget::focusNextPrevChild(next)) {
        return false;
    }
    const auto* landed = qobject_cast<const QRadioButton*>(focusWidget());
    if (landed == nullptr || landed->isChecked() || !landed->autoExclusive()) {
        return true;
    }
    const auto siblings =
        landed->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* sibling : siblings) {
        if (sibling->isChecked() && sibling->autoExclusive() && sibling->isEnabled()) {
            sibling->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
    }
    return true;
}

std::string OnTopWindow::entryText(Entry e) const {
    return entry(e)->text().toStdString();
}

void OnTopWindow::setEntryText(Entry e, std::string_view text) {
    QLineEdit* field = entry(e);
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The same text is no change and must run nothing: the recalculations
    // write the empty text into empty fields all the time.
    if (field->text() == value) {
        return;
    }
    field->setText(value); // textChanged runs the field's handler, once
}

bool OnTopWindow::isSelected(Option o) const {
    return option(o)->isChecked();
}

std::string OnTopWindow::resultText(Result r) const {
    return result(r)->text().toStdString();
}

void OnTopWindow::setResultText(Result r, std::string_view text) {
    result(r)->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void OnTopWindow::setShapeOutlineWidth(int pixels) {
    shape1_->setOutlineWidth(pixels);
}

void OnTopWindow::setShapeOutlineColour(calc::Colour colour) {
    shape1_->setOutlineColour(colourFromValue(colour));
}

void OnTopWindow::clearAll() {
    setEntryText(Entry::inch, "");
    setEntryText(Entry::mw, "");
    setEntryText(Entry::mh, "");
    option(Option::Option2)->setChecked(true); // runs the 12 mm handler if it changes
    for (Result r : {Result::h, Result::w, Result::inch1, Result::h1, Result::w1, Result::bkw}) {
        setResultText(r, "0");
    }
}

void OnTopWindow::runChange(Entry e) {
    showEntryState(e, calc::changeHandler(*this, e));
}

void OnTopWindow::runClick(Option o) {
    const calc::Outcome outcome = calc::clickHandler(*this, o);
    if (o == Option::opt169 || o == Option::opt43) {
        // The ratio handlers read the diagonal field.
        showEntryState(Entry::inch, outcome);
    }
}

void OnTopWindow::showEntryState(Entry e, const calc::Outcome& outcome) {
    // Only pasted text can fail to convert. The calculation has stopped; the
    // field says so until its text converts again, without a dialog.
    QLineEdit* field = entry(e);
    QString problem;
    if (!field->text().isEmpty()) {
        if (outcome.stop == calc::Stop::notANumber) {
            problem = QStringLiteral("不是有效的数字，无法计算");
        } else if (outcome.stop == calc::Stop::notFinite) {
            problem = QStringLiteral("数值过大，无法计算");
        }
    }
    const bool marked = !problem.isEmpty();
    if (!marked && !field->property("notANumber").toBool()) {
        return; // was fine and is fine: nothing to repaint
    }
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base,
                     marked ? notANumberBackground : QPalette().color(QPalette::Base));
    field->setPalette(palette);
    field->setToolTip(marked ? problem : entryToolTips_[static_cast<std::size_t>(e)]);
    field->setAccessibleDescription(problem);
    field->setProperty("notANumber", marked);
}

void OnTopWindow::applyFocusRule(Entry focused) {
    // One entry at a time; the results of the emptied one stay on show.
    switch (focused) {
    case Entry::inch:
        setEntryText(Entry::mw, "");
        setEntryText(Entry::mh, "");
        break;
    case Entry::mw:
        setEntryText(Entry::inch, "");
        setEntryText(Entry::mh, "");
        break;
    case Entry::mh:
        setEntryText(Entry::mw, "");
        setEntryText(Entry::inch, "");
        break;
    }
}

void OnTopWindow::check1Click(bool ticked) {
    platform_.setKeepOnTop(*this, ticked);
    check1_->setToolTip(ticked ? QStringLiteral("取消选定，窗体可最小")
                               : QStringLiteral("设置窗体最前显示"));
}

void OnTopWindow::timer1Timer() {
    // Ten ticks a second, but the text changes once a second: only then
    // does the label repaint.
    const QString text = clockText(platform_.now());
    if (temdate_->text() != text) {
        temdate_->setText(text);
    }
}

void OnTopWindow::setButtonColour(QPushButton* button, std::uint32_t value) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colourFromValue(value));
    button->setPalette(palette);
}

int OnTopWindow::entryIndexOf(const QObject* object) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] == object) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool OnTopWindow::isFrameOption(const QObject* object) const {
    for (Option o :
         {Option::Option1, Option::Option2, Option::Option3, Option::Option4, Option::Option5}) {
        if (option(o) == object) {
            return true;
        }
    }
    return false;
}

bool OnTopWindow::eventFilter(QObject* watched, QEvent* event) {
    const int index = entryIndexOf(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && (index >= 0 || isFrameOption(watched))) {
            clearAll();
            return true;
        }
        if (index >= 0 && !entryKeyPasses(*key, entries_[std::size_t(index)]->text())) {
            return true; // dropped without a trace
        }
        break;
    }
    case QEvent::InputMethod:
        if (index >= 0) {
            return true; // input methods are off here; drop whatever still comes
        }
        break;
    case QEvent::FocusIn:
        if (index >= 0) {
            applyFocusRule(static_cast<Entry>(index));
        }
        break;
    case QEvent::MouseMove:
        for (QPushButton* button : {command1_, command3_, command4_, command5_}) {
            if (watched == button) {
                setButtonColour(button, hoverColour);
            }
        }
        for (const auto& [zone, button] : hoverZones_) {
            if (watched == zone) {
                setButtonColour(button, restColour);
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace screencalc
