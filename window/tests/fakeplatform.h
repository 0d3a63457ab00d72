#pragma once
// Stands in for the desktop: records what the window asks for and answers
// with a fixed screen and a fixed clock.

#include "window/platform.h"

#include <QStringList>
#include <QWidget>

class FakePlatform final : public screencalc::Platform {
public:
    bool allowsKeepOnTop() const override { return keepOnTopAllowed; }
    void setKeepOnTop(QWidget&, bool on) override {
        calls << (on ? QStringLiteral("keep on top") : QStringLiteral("not on top"));
    }
    void minimise(QWidget&) override { calls << QStringLiteral("minimise"); }
    void exitProgram(QWidget&) override { calls << QStringLiteral("exit"); }
    bool openUrl(const QUrl& url) override {
        calls << QStringLiteral("open ") + url.toString(QUrl::FullyEncoded);
        return browser;
    }
    QRect availableGeometry() const override { return screen; }
    QDateTime now() const override { return time; }

    QStringList calls;
    bool keepOnTopAllowed = true;
    bool browser = true; // false: no URL handler on this desktop
    QRect screen{0, 0, 1920, 1080};
    QDateTime time{QDate(2026, 12, 6), QTime(4, 30, 7)};
};
