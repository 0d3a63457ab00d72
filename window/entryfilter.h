#pragma once
// The character rule of the three entry fields. It judges characters only:
// digits, backspace and one decimal point pass, every other character is
// dropped. Keys that type no character (Delete, arrows, Home/End, Tab,
// Shift+Tab) are not characters and always pass, so editing and the tab
// order keep working.

class QKeyEvent;
class QString;

namespace screencalc {

// True when the key press may reach a field that holds `fieldText`.
bool entryKeyPasses(const QKeyEvent& key, const QString& fieldText);

} // namespace screencalc
