#pragma once

#include <QPlainTextEdit>
#include <functional>

#include "controls.h"
#include "form.h"

namespace shell {

// The start window: description, quit, exercise and info pictures.
class Form0 : public Form {
    Q_OBJECT
  public:
    explicit Form0(QWidget* parent = nullptr);

    // Open the exercise and the info window (set by the program; each window
    // is made on first use).
    std::function<void()> showExerciseWindow;
    std::function<void()> showInfoWindow;

    VbPicture* Bild3;      // quit
    VbLabel* Bezeichnung1; // "Ende"
    VbPicture* Bild1;      // exercise window
    VbLabel* Bezeichnung3; // "einstellig"
    VbPicture* Bild4;      // info window
    VbLabel* Bezeichnung2; // "Info"
    QPlainTextEdit* Text1; // description
    VbShape* Figur1;
    VbShape* Figur2;
    VbShape* Figur3;
    VbShape* Figur4;
    VbShape* Figur5;
    VbLine* Linie1;
    VbLine* Linie2;
    VbLine* Linie4;
    VbPicture* Bild5; // logo

    void Form_Load();
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Bild1_Click();
    void Bild3_Click();
    void Bild4_Click();
    void Text1_Change();
    void FillInfoText();
    // The content of Text1 as the program wrote it, lines ended by CR LF.
    QString Text1_Text() const;

  private:
    bool filling_ = false;
};

} // namespace shell
