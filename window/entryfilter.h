#pragma once
// The character rule of the three entry fields. It judges characters only:
// digits, backspace and one decimal point pass, every other character is
// dropped. Keys that type no character (Delete, arrows, Home/End, Tab,
// Shift+Tab) are not characters and always pass, so editing and the tab
// order keep working.

class QKeyEvent;
class QObject;
class QString;
class QValidator;

namespace screencalc {

// True when the key press may reach a field that holds `fieldText`.
bool entryKeyPasses(const QKeyEvent& key, const QString& fieldText);

// Keeps a field's text to whole characters. The length limit counts UTF-16
// units, so it can cut a pasted character outside the Basic Multilingual
// Plane (an emoji) in two; the half left over is dropped, as is a lone half
// that the clipboard itself held. Accepts every text otherwise.
QValidator* makeWholeCharacterValidator(QObject* parent);

} // namespace screencalc
