#pragma once

#include <memory>

namespace shell {
class Form0;
class ZEBLABEL;
} // namespace shell
namespace games {
class Form4;
class memo;
} // namespace games

namespace trainer {

class Form1;

// The program's windows. The start window is made at once; the others when
// they are first needed, so start-up builds only what the child sees.
class Program {
  public:
    Program();
    ~Program();

    // Shows the start window.
    void start();

    shell::Form0& form0();
    Form1& form1();
    games::Form4& form4();
    games::memo& memoWindow();
    // The info window, loaded (hidden, printing locked) when it is not.
    shell::ZEBLABEL& infoWindow();
    // The info window while it is loaded, or nullptr: its close button
    // unloads it, and with it the print-mode switch.
    shell::ZEBLABEL* loadedInfoWindow() const;
    // The print-mode switch of the info window, 1 = printing locked; reading
    // it loads the window in its initial state.
    int printerLock();

  private:
    std::unique_ptr<shell::Form0> form0_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<games::Form4> form4_;
    std::unique_ptr<games::memo> memo_;
    std::unique_ptr<shell::ZEBLABEL> info_;
};

} // namespace trainer
