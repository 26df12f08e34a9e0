#include "program.h"

#include "exercise_window.h"
#include "info_window.h"
#include "memory.h"
#include "number_catch.h"
#include "start_window.h"
#include "window_stack.h"

namespace trainer {

Program::Program() = default;

Program::~Program() {
    // Games first: they point back at the exercise window.
    memo_.reset();
    form4_.reset();
    form1_.reset();
    info_.reset();
    form0_.reset();
}

void Program::start() {
    shell::forms::show(&form0());
}

shell::Form0& Program::form0() {
    if (!form0_) {
        form0_ = std::make_unique<shell::Form0>();
        form0_->showExerciseWindow = [this] { shell::forms::show(&form1()); };
        form0_->showInfoWindow = [this] { shell::forms::show(&infoWindow()); };
    }
    return *form0_;
}

Form1& Program::form1() {
    if (!form1_) {
        form1_ = std::make_unique<Form1>();
        form1_->startWindow = [this] { return &form0(); };
        form1_->numberCatchWindow = [this] { return &form4(); };
        form1_->memoryWindow = [this] { return &memoWindow(); };
        form1_->printerLock = [this] { return printerLock(); };
    }
    return *form1_;
}

games::Form4& Program::form4() {
    if (!form4_) {
        form4_ = std::make_unique<games::Form4>();
        form4_->exerciseWindow = [this]() -> shell::Form* { return &form1(); };
    }
    return *form4_;
}

games::memo& Program::memoWindow() {
    if (!memo_) {
        memo_ = std::make_unique<games::memo>();
        memo_->exerciseWindow = [this]() -> shell::Form* { return &form1(); };
    }
    return *memo_;
}

shell::ZEBLABEL& Program::infoWindow() {
    if (!info_) {
        info_ = std::make_unique<shell::ZEBLABEL>();
        // Unloaded by its close button: the window goes once the close is
        // over, and the next load starts locked again.
        info_->unloaded = [this] { info_.release()->deleteLater(); };
    }
    return *info_;
}

shell::ZEBLABEL* Program::loadedInfoWindow() const {
    return info_.get();
}

int Program::printerLock() {
    return infoWindow().Kontroll1Value();
}

} // namespace trainer
