#pragma once

class QWidget;

namespace shell {

// Something a digit can be dropped onto.
class DropTarget {
  public:
    virtual ~DropTarget() = default;
    // True when a drop handler is set; a control without one ignores drops.
    virtual bool acceptsDrops() const = 0;
    virtual void dropFrom(QWidget* source) = 0;
};

} // namespace shell
