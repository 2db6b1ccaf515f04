#pragma once
// The program's name, version and notice from the version values: the about
// box, and the same text on the splash window shown while the program starts.

#include <QDialog>

#include <memory>

class QSplashScreen;

class CVxAboutBox : public QDialog {
public:
    explicit CVxAboutBox(QWidget* pParent = nullptr);

    // "Glyphar", then the version line and the notice.
    static QString GetText();
    // Shown and painted at once; the caller closes it.
    static std::unique_ptr<QSplashScreen> ShowSplash();
};
