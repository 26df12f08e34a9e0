#include "accessible_controls.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "controls.h"
#include "drag.h"
#include "keyboard_access.h"

namespace widgets {

namespace {

const char* const kHoldsNumber = "holdsNumber";
const char* const kStep = "progressStep";
const char* const kSteps = "progressSteps";
const char* const kStepWords = "progressWords";

// A label read as what it shows: a cell's digit (empty while the cell is),
// a counter's number. Its name is its accessible name, or else what it shows.
class ShownText : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    ShownText(QLabel* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return shown();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return shown();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        // A cell that takes digits is where the keyboard goes (Tab, a click).
        if (role() == QAccessible::EditableText) s.focusable = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // Read only, no selection; the cursor stands after the text.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString s = shown();
        if (endOffset < 0 || endOffset > s.size()) endOffset = int(s.size());
        startOffset = qBound(0, startOffset, endOffset);
        return s.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(shown().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

  protected:
    QString shown() const { return static_cast<QLabel*>(widget())->text(); }
};

// A label that shows a number, read as its value as well.
class ShownNumber : public ShownText, public QAccessibleValueInterface {
  public:
    explicit ShownNumber(QLabel* label) : ShownText(label, QAccessible::StaticText) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return ShownText::interface_cast(t);
    }
    QVariant currentValue() const override { return shown().toLongLong(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

// A digit key: a button whose press is a tap, the digit for the waiting cell.
class DigitKeyButton : public QAccessibleWidget {
  public:
    explicit DigitKeyButton(DigitKey* key) : QAccessibleWidget(key, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QStringLiteral("Ziffer %1").arg(key()->digit());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit key()->tapped();
    }

  private:
    DigitKey* key() const { return static_cast<DigitKey*>(widget()); }
};

// A label a child clicks: a reward prompt, "O k a y", a memory card.
class ClickableButton : public QAccessibleWidget {
  public:
    explicit ClickableButton(ClickableLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (isPressableByKeys(widget())) s.focusable = true;
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit static_cast<ClickableLabel*>(widget())->clicked();
    }
};

// The ladder: how far the child has come, as a number and in words.
class Progress : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit Progress(QWidget* w) : QAccessibleWidget(w, QAccessible::ProgressBar) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return widget()->property(kStepWords).toString();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return widget()->property(kStep); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return widget()->property(kSteps); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* controlFactory(const QString& className, QObject* object) {
    // Asked for every class of the object, the most derived first: answer
    // there or not at all, and Qt's own interfaces serve the rest.
    if (!object || !object->isWidgetType() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (auto* cell = qobject_cast<DigitCell*>(w))
        return new ShownText(cell, cell->takesDigits() ? QAccessible::EditableText
                                                       : QAccessible::StaticText);
    if (auto* key = qobject_cast<DigitKey*>(w)) return new DigitKeyButton(key);
    if (auto* label = qobject_cast<ClickableLabel*>(w)) return new ClickableButton(label);
    if (auto* label = qobject_cast<QLabel*>(w); label && label->property(kHoldsNumber).toBool())
        return new ShownNumber(label);
    if (w->property(kSteps).isValid()) return new Progress(w);
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    QAccessible::installFactory(controlFactory);
}

void showText(QLabel* label, const QString& text) {
    const QString before = label->text();
    if (before == text) return;
    label->setText(text);
    if (!QAccessible::isActive()) return;
    QAccessibleTextUpdateEvent changed(label, 0, before, text);
    QAccessible::updateAccessibility(&changed);
    if (label->property(kHoldsNumber).toBool()) {
        QAccessibleValueChangeEvent value(label, text.toLongLong());
        QAccessible::updateAccessibility(&value);
    }
}

void holdsNumber(QLabel* label) {
    label->setProperty(kHoldsNumber, true);
}

void showProgress(QWidget* control, int step, int steps, const QString& words) {
    const bool changed = control->property(kStep) != QVariant(step);
    control->setProperty(kStep, step);
    control->setProperty(kSteps, steps);
    control->setProperty(kStepWords, words);
    if (!changed || !QAccessible::isActive()) return;
    QAccessibleValueChangeEvent value(control, step);
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(control, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

} // namespace widgets
