#pragma once

#include <QCheckBox>
#include <functional>

#include "controls.h"
#include "form.h"

namespace shell {

// The info window with the print-mode switch. It exists only while loaded:
// its close button unloads it (its owner lets it go on `unloaded`), and the
// next load starts locked again.
class ZEBLABEL : public Form {
    Q_OBJECT
  public:
    explicit ZEBLABEL(QWidget* parent = nullptr);

    // Called when the close button has unloaded the window; the window is
    // deleted once the event that closed it is over.
    std::function<void()> unloaded;

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
};

} // namespace shell
