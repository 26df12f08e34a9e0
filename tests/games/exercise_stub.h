#pragma once

#include <functional>

#include "form.h"

// Stands in for the exercise window the games return to.
class ExerciseStub : public widgets::Form {
  public:
    int activations = 0;
    std::function<void()> onActivate;
    void Form_Activate() override {
        ++activations;
        if (onActivate) onActivate();
    }
};
