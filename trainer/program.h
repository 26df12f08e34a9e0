#pragma once

#include <memory>

namespace shell {
class Form0;
}
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

  private:
    std::unique_ptr<shell::Form0> form0_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<games::Form4> form4_;
    std::unique_ptr<games::memo> memo_;
};

} // namespace trainer
