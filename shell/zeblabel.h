#pragma once

#include <QCheckBox>

#include "controls.h"
#include "form.h"

namespace shell {

// The info window with the print-mode switch. It exists only while loaded:
// its close button unloads it, and the next load starts locked again.
class ZEBLABEL : public Form {
    Q_OBJECT
  public:
    // The loaded window, or nullptr.
    static ZEBLABEL* loaded();
    // Loads the window in its initial state (hidden) when it is not loaded.
    static ZEBLABEL& load();
    // Value of the print-mode switch (1 = printing locked); loads the window if needed.
    static int printerLock();

    VbShape* Figur1;
    VbLabel* Bezeichnung5;
    VbLabel* Bezeichnung6;
    VbLabel* Bezeichnung7;
    QCheckBox* Kontroll1;
    VbLabel* Bezeichnung1; // "O k a y"
    VbPicture* Bild1;
    VbLabel* Bezeichnung8;

    int Kontroll1Value() const { return Kontroll1->isChecked() ? 1 : 0; }

    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void Bild1_Click();
    void Bezeichnung1_Click();

  private:
    explicit ZEBLABEL(QWidget* parent = nullptr);
    ~ZEBLABEL() override;
};

} // namespace shell
