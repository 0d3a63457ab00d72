#include "entryfilter.h"

#include <QKeyEvent>
#include <QString>
#include <QValidator>

namespace screencalc {

bool entryKeyPasses(const QKeyEvent& key, const QString& fieldText) {
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: // some desktops report "\x7f" as its text
    case Qt::Key_Backspace:
        return true;
    default:
        break;
    }
    const QString text = key.text();
    if (text.isEmpty()) {
        return true; // arrows, Home/End, function keys: no character
    }
    // With Ctrl (but not AltGr, which some desktops report as Ctrl+Alt) a key
    // types a control character, if anything: Ctrl+V is 22, not a "v".
    const Qt::KeyboardModifiers mods = key.modifiers();
    if (mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier)) {
        return false;
    }
    if (text.size() != 1) {
        return false;
    }
    const QChar c = text.front();
    if (c == QLatin1Char('.')) {
        // The whole text counts, even a selected point the new one would replace.
        return !fieldText.contains(QLatin1Char('.'));
    }
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

namespace {

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
        // A changed text is set in place of the cut one, with one change
        // notification for the edit.
        return Acceptable;
    }
};

} // namespace

QValidator* makeWholeCharacterValidator(QObject* parent) {
    return new WholeCharacters(parent);
}

} // namespace screencalc
