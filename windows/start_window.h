#pragma once

#include <QPlainTextEdit>
#include <functional>

#include "controls.h"
#include "program_window.h"

namespace windows {

// The start window: a blackboard on an easel with a short description of
// the program and three pictures: quit, practise (the exercise window) and
// the info window. Closing it ends the program.
class StartWindow : public widgets::ProgramWindow {
    Q_OBJECT
  public:
    explicit StartWindow(widgets::WindowStack& windows);

    // Set by the program: opens the exercise and the info window (each made
    // on first use).
    std::function<void()> showExerciseWindow;
    std::function<void()> showInfoWindow;

    widgets::PictureButton* quitPicture;
    widgets::Label* quitCaption;
    widgets::PictureButton* exercisePicture;
    widgets::Label* exerciseCaption;
    widgets::PictureButton* infoPicture;
    widgets::Label* infoCaption;
    QPlainTextEdit* description;

    void openExercise();
    // Asks, then ends the program on "Ja".
    void askToQuit();
    void openInfo();

  protected:
    bool closeRequested() override;
};

} // namespace windows
