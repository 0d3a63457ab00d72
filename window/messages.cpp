#include "window/messages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace screencalc {

void showNoBrowser(QWidget& window, const QUrl& url) {
    const QString address = url.toString(QUrl::FullyEncoded);
    auto* box = window.findChild<QMessageBox*>(QStringLiteral("noBrowser"));
    if (box == nullptr) {
        box = new QMessageBox(&window);
        box->setObjectName(QStringLiteral("noBrowser"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->setIcon(QMessageBox::Information);
        box->setWindowTitle(QStringLiteral("无法打开网页"));
        box->setTextFormat(Qt::PlainText);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        QPushButton* copy = box->addButton(QStringLiteral("复制网址"), QMessageBox::ActionRole);
        box->addButton(QStringLiteral("关闭"), QMessageBox::RejectRole);
        QObject::connect(copy, &QPushButton::clicked, box, [box] {
            QGuiApplication::clipboard()->setText(box->property("address").toString());
        });
    }
    box->setProperty("address", address);
    box->setText(
        QStringLiteral("没有找到可以打开网页的浏览器。请复制下面的网址，在浏览器中打开：\n") +
        address);
    box->show(); // not exec(): the calculator stays usable meanwhile
    box->raise();
}

} // namespace screencalc
