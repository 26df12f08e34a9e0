#pragma once

namespace widgets {

// A control a digit key can be dropped onto: an answer cell or a keyboard
// marker. Only one that takes digits gets them; a drop elsewhere does nothing.
class DropTarget {
  public:
    virtual ~DropTarget() = default;
    virtual bool takesDigits() const = 0;
    virtual void takeDigit(int digit) = 0;
};

} // namespace widgets
