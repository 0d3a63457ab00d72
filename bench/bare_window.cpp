// The floor of the toolkit: a plain Qt window of the calculator's size
// (657 x 548) with one label, started the way the calculator starts.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(657, 548);
    auto* label = new QLabel(QStringLiteral("0"), &window);
    // Named like the calculator's clock so the probe counts its repaints.
    label->setObjectName(QStringLiteral("temdate"));
    label->setGeometry(497, 523, 165, 17);
    window.show();
    return QApplication::exec();
}
