#include "accessible_controls.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "controls.h"
#include "drag.h"
#include "program_window.h"
#include "keyboard_access.h"

namespace widgets {

namespace {

const char* const kHoldsNumber = "holdsNumber";
const char* const kStep = "progressStep";
const char* const kSteps = "progressSteps";
const char* const kStepWords = "progressWords";

// A label of the program's windows, read as what it is now: the cell of a
// division (a digit, or empty), a counter (its number), a label a child
// clicks (a button: a reward prompt, "O k a y", a memory card), or a caption.
// Qt asks for the interface while the label is still being made, so what it
// is gets decided at each question, not once.
class ProgramLabel : public QAccessibleWidget,
                     public QAccessibleTextInterface,
                     public QAccessibleValueInterface {
  public:
    explicit ProgramLabel(QLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override {
        if (const auto* cell = qobject_cast<const DigitCell*>(widget()))
            return cell->takesDigits() ? QAccessible::EditableText : QAccessible::StaticText;
        if (clickable()) return QAccessible::Button;
        return QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return shown();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return shown();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        // A cell that takes digits is where the keyboard goes (Tab, a click).
        if (role() == QAccessible::EditableText || isPressableByKeys(widget())) s.focusable = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::ValueInterface)
            return holdsNumber() ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
        return QAccessibleWidget::interface_cast(t);
    }
    QStringList actionNames() const override {
        return clickable() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (clickable() && action == pressAction())
            emit static_cast<ClickableLabel*>(widget())->clicked();
        else
            QAccessibleWidget::doAction(action);
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

    // A counter's number.
    QVariant currentValue() const override { return shown().toLongLong(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    QString shown() const { return static_cast<QLabel*>(widget())->text(); }
    bool clickable() const {
        return qobject_cast<const ClickableLabel*>(widget()) &&
               !qobject_cast<const DigitCell*>(widget());
    }
    bool holdsNumber() const { return widget()->property(kHoldsNumber).toBool(); }
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
    // Labels of the program's windows, not those of Qt's boxes and dialogs.
    if (auto* label = qobject_cast<QLabel*>(w); label && qobject_cast<ProgramWindow*>(w->window()))
        return new ProgramLabel(label);
    if (auto* key = qobject_cast<DigitKey*>(w)) return new DigitKeyButton(key);
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
