#include "window/accessibility.h"

#include "window/widgets.h"

#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>

namespace screencalc {

namespace {

// Drawn or mouse-only parts with nothing to say.
bool isDecoration(const QWidget* w) {
    if (qobject_cast<const ShapeBox*>(w) != nullptr) {
        return true;
    }
    const auto* picture = qobject_cast<const PictureBox*>(w);
    return picture != nullptr && picture->picture().isNull();
}

QList<QWidget*> shownChildren(const QWidget* parent) {
    QList<QWidget*> kids = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    kids.removeIf([](const QWidget* w) { return w->isWindow() || isDecoration(w); });
    return kids;
}

// The window, or a frame, listing its children without the decorations.
class WithoutDecorations final : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return int(shownChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> kids = shownChildren(widget());
        return index >= 0 && index < kids.size()
                   ? QAccessible::queryAccessibleInterface(kids[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(shownChildren(widget()).indexOf(child->object())) : -1;
    }
    QString text(QAccessible::Text t) const override {
        const auto* frame = qobject_cast<const QGroupBox*>(widget());
        if (t == QAccessible::Name && frame != nullptr && widget()->accessibleName().isEmpty()) {
            return frame->title();
        }
        return QAccessibleWidget::text(t);
    }
};

// The label that captions `w`: a sibling whose buddy it is.
QLabel* captionOf(const QWidget* w) {
    if (w->parentWidget() == nullptr) {
        return nullptr;
    }
    for (QLabel* label : w->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == w) {
            return label;
        }
    }
    return nullptr;
}

// A label: its text as the name, unless it has a name of its own. A result
// is labelled by its caption alone, not also by the frame around it.
class LabelText final : public QAccessibleWidget {
public:
    explicit LabelText(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<const QLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> found;
        QWidget* caption = captionOf(widget());
        if ((match & QAccessible::Label) != 0 && caption != nullptr) {
            found.append({QAccessible::queryAccessibleInterface(caption), QAccessible::Label});
        }
        QWidget* labelled = static_cast<const QLabel*>(widget())->buddy();
        if ((match & QAccessible::Labelled) != 0 && labelled != nullptr) {
            found.append({QAccessible::queryAccessibleInterface(labelled), QAccessible::Labelled});
        }
        return found;
    }
};

// A picture is an image; without one it is a hover zone, which its parent
// does not list.
class Picture final : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    QAccessible::Role role() const override {
        return isDecoration(widget()) ? QAccessible::Client : QAccessible::Graphic;
    }
};

// Qt asks once per object, possibly while the window is still being built,
// so the answers look at the object's kind only and decide the rest when
// asked.
QAccessibleInterface* windowInterface(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (w == nullptr) {
        return nullptr;
    }
    if (qobject_cast<PictureBox*>(w) != nullptr) {
        return new Picture(w);
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return new LabelText(label);
    }
    if (qobject_cast<FrameBox*>(w) != nullptr) {
        return new WithoutDecorations(w, QAccessible::Grouping);
    }
    if (w->inherits("screencalc::CalculatorWindow")) {
        return new WithoutDecorations(w, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(windowInterface); // a second call changes nothing
}

} // namespace screencalc
