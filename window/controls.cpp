#include "window/controls.h"

#include "calc/rules.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QValidator>
#include <algorithm>

namespace screencalc {

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(group, role, colour);
        }
    }
    widget.setPalette(palette);
}

namespace {

// Keeps a field's text to whole characters. The length limit counts UTF-16
// units, so it can cut a pasted character outside the Basic Multilingual
// Plane (an emoji) in two; the half left over is dropped, as is a lone half
// that the clipboard itself held.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& pos) const override {
        for (qsizetype i = 0; i < text.size();) {
            const QChar c = text.at(i);
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                i += 2;
            } else if (c.isSurrogate()) {
                text.remove(i, 1);
                if (pos > i) {
                    --pos;
                }
            } else {
                ++i;
            }
        }
        return Acceptable;
    }
};

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

bool entryKeyPasses(const QKeyEvent& key, const QString& fieldText) {
    // On Windows these keys type control characters, which the character
    // rule drops; Qt would edit the text with them instead.
    for (auto editing : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut,
                         QKeySequence::Copy, QKeySequence::Paste, QKeySequence::SelectAll,
                         QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
                         QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (key.matches(editing)) {
            return false;
        }
    }
    // AltGr arrives as Ctrl+Alt on some desktops, and types characters.
    const Qt::KeyboardModifiers mods = key.modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier);
    switch (key.key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true; // moving and selecting, by character or by word
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return !ctrl && !mods.testFlag(Qt::AltModifier);
    case Qt::Key_Insert:
        return false;
    default:
        break;
    }
    const QString text = key.text();
    if (ctrl || text.size() != 1) {
        // Function keys and the like type nothing; pass them on unless Ctrl
        // makes them a shortcut.
        return !ctrl && text.isEmpty() && !mods.testFlag(Qt::AltModifier);
    }
    return calc::typedCharacterPasses(text.front().unicode(), fieldText.toStdString());
}

EntryField::EntryField(QWidget* parent) : QLineEdit(parent) {
    setValidator(new WholeCharacters(this));
    // An input method could commit text the character rule never sees, and
    // a drop would bypass it too.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
}

void EntryField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT escapePressed();
    } else if (entryKeyPasses(*event, text())) {
        QLineEdit::keyPressEvent(event);
    }
}

void EntryField::focusInEvent(QFocusEvent* event) {
    Q_EMIT focusEntered();
    QLineEdit::focusInEvent(event);
    // Qt selects the whole text when Tab brings the focus; the next digit
    // would then replace the entry. The caret stays where Qt put it.
    deselect();
}

void EntryField::inputMethodEvent(QInputMethodEvent* event) {
    event->ignore(); // input methods are off here; drop whatever still comes
}

void EntryField::contextMenuEvent(QContextMenuEvent* event) {
    // The window speaks Chinese, and the keys Qt lists beside the commands
    // do nothing in these fields.
    static const QHash<QString, QString> texts{
        {QStringLiteral("&Undo"), QStringLiteral("撤消(&U)")},
        {QStringLiteral("&Redo"), QStringLiteral("重做(&R)")},
        {QStringLiteral("Cu&t"), QStringLiteral("剪切(&T)")},
        {QStringLiteral("&Copy"), QStringLiteral("复制(&C)")},
        {QStringLiteral("&Paste"), QStringLiteral("粘贴(&P)")},
        {QStringLiteral("Delete"), QStringLiteral("删除(&D)")},
        {QStringLiteral("Select All"), QStringLiteral("全选(&A)")},
    };
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        const QString english = action->text().section(u'\t', 0, 0);
        action->setText(texts.value(english, english));
        action->setShortcut({});
        if (english == QLatin1String("&Paste")) {
            disconnect(action, &QAction::triggered, this, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteFrom(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void EntryField::mouseReleaseEvent(QMouseEvent* event) {
    // X11 pastes the selection on a middle click; Qt would insert all of it.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !isReadOnly()) {
        deselect();
        pasteFrom(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void EntryField::pasteFrom(QClipboard::Mode mode) {
    // A spreadsheet cell arrives as "100\r\n": keep the first line only. The
    // kept part is taken from the clipboard's own text, so that a lone half
    // of a character still reaches the field's check as it is.
    const QString pasted = QGuiApplication::clipboard()->text(mode);
    const QByteArray utf8 = pasted.toUtf8();
    const std::string_view line = calc::firstLine({utf8.constData(), std::size_t(utf8.size())});
    const QString kept =
        pasted.left(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).size());
    if (!kept.isEmpty() || hasSelectedText()) {
        insert(kept);
    }
}

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT escapePressed();
        return;
    }
    if (!isArrow(event->key()) || !autoExclusive() || parentWidget() == nullptr) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    // The group's buttons as the eye reads them, left to right.
    auto group = parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
    group.removeIf([](const OptionButton* b) { return !b->isEnabled(); });
    std::sort(group.begin(), group.end(),
              [](const OptionButton* a, const OptionButton* b) { return a->x() < b->x(); });
    const auto here = std::find(group.begin(), group.end(), this) - group.begin();
    const bool forward = event->key() == Qt::Key_Right || event->key() == Qt::Key_Down;
    const qsizetype n = group.size();
    OptionButton* next = group.at((here + (forward ? 1 : n - 1)) % n);
    next->setFocus(Qt::TabFocusReason);
    next->setChecked(true); // its handler runs if this changes the selection
}

bool CheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

} // namespace screencalc
