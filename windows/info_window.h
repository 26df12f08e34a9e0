#pragma once

#include <QCheckBox>
#include <functional>

#include "controls.h"
#include "program_window.h"

namespace windows {

// The info window: the program's name, its terms and version, and the
// teacher's switch that locks printing ("Druckmodus deaktivieren", ticked at
// start). It exists only while loaded: its close button unloads it (its
// owner lets it go on `unloaded`), and the next load starts locked again.
class InfoWindow : public widgets::ProgramWindow {
    Q_OBJECT
  public:
    explicit InfoWindow(widgets::WindowStack& windows);

    // Called when the close button has unloaded the window; the window is
    // deleted once the event that closed it is over.
    std::function<void()> unloaded;

    widgets::Label* titleLabel;
    widgets::Label* termsLabel;
    widgets::Label* versionLabel;
    QCheckBox* printLockBox;
    widgets::ClickableLabel* okayLabel; // "O k a y"
    widgets::PictureButton* closePicture;
    widgets::Label* websiteLabel;

    bool printingLocked() const { return printLockBox->isChecked(); }
    // "O k a y" and the close picture: the window goes, the switch stays.
    void closeKeepingSwitch();

  protected:
    void broughtToFront() override;
    bool closeRequested() override;
};

} // namespace windows
