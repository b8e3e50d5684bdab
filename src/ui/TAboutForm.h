// SPDX-License-Identifier: GPL-3.0-or-later
// TAboutForm.h: the splash and about window: a picture and two text lines. It closes by
// shrinking about its centre, 20 pixels every 50 ms. As a splash it starts shrinking after two
// seconds; opened by "Info ..." it waits for a click on its picture.
#pragma once
#include <QDialog>

class QLabel;
class QTimer;

namespace sw::ui {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Modal at program start; closes itself after 2000 ms and the animation.
    void Splash();
    // Modal in the screen centre; a click on the picture closes it.
    void Info();
    // Starts the closing animation.
    void Schrumpfen();

    static constexpr int kSplashMs = 2000;
    static constexpr int kSchrittMs = 50;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Schritt();

    QLabel* bild_;
    QLabel* zeile1_;
    QLabel* zeile2_;
    QTimer* timer_;
};

} // namespace sw::ui
