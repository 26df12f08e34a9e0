#pragma once

#include <functional>

#include "program_window.h"

// Stands in for the exercise window the games return to.
class ExerciseStub : public widgets::ProgramWindow {
  public:
    explicit ExerciseStub(widgets::WindowStack& windows) : ProgramWindow(windows) {}
    int activations = 0;
    std::function<void()> onActivate;
    void broughtToFront() override {
        ++activations;
        if (onActivate) onActivate();
    }
};
