#pragma once
// The window's own kinds of text box, option button and check box: Qt's,
// changed where a desktop user expects otherwise.

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>

class QColor;

namespace screencalc {

// Sets the colour of a control's text in every state but disabled, which
// keeps the style's grey.
void setTextColour(QWidget& widget, const QColor& colour);

// An entry field. Typed characters pass the character rule (digits,
// backspace, one point); editing shortcuts that would change the text
// (Ctrl+Backspace, undo, paste by key, …) are dropped, while moving and
// selecting keep working. Taking the focus never selects the text. Pasting
// (the Chinese context menu, and on X11 a middle click) is the one way around
// the rule: it keeps the pasted text's first line, as a single-line field
// does, cut to the length limit and to whole characters.
class EntryField : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryField(QWidget* parent = nullptr);

Q_SIGNALS:
    void focusEntered(); // before the field shows the focus
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void pasteFrom(QClipboard::Mode mode);
};

// True when the key press may reach a field that holds `fieldText`.
bool entryKeyPasses(const QKeyEvent& key, const QString& fieldText);

// An option button that reacts anywhere in its box, not only on its circle
// and caption. In its group the arrow keys select the next button to the
// right (Right, Down) or left (Left, Up), wrapping at the ends, from
// whichever button has the focus; the focus moves with the selection.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

Q_SIGNALS:
    void escapePressed();

protected:
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A check box that reacts anywhere in its box.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override;
};

} // namespace screencalc
