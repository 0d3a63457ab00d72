#pragma once
// What the window tells the user in a box of its own: only that a web page
// could not be opened. The box never blocks the window.

#include <QUrl>

class QWidget;

namespace screencalc {

// Says, in Chinese, that no browser could be started, and shows `url` so
// that it can be selected or copied. One box at a time: a second failure
// shows its address in the box already open.
void showNoBrowser(QWidget& window, const QUrl& url);

} // namespace screencalc
