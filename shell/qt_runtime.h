#pragma once

#include <random>

#include "runtime.h"

class QPrinter;
class QWidget;

namespace shell {

// The runtime of the real program: Qt's boxes, printer, clipboard and screen.
class QtRuntime : public Runtime {
  public:
    QtRuntime();

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void randomize() override;
    double rnd() override;
    QSize screenTwips() override;
    PrintResult print(const PrintDocument& doc) override;
    bool printToPdf(const PrintDocument& doc, const QString& path) override;
    QString saveFileName(const QString& caption, const QString& suggestedName,
                         const QString& filter) override;
    void setClipboardText(const QString& text) override;

  private:
    std::mt19937_64 gen_;
    bool seeded_ = false;
};

// Lets a box or dialog opened from parent show its text at the parent
// window's zoom (at most three times).
void zoomBox(QWidget* box, const QWidget* parent);

// Lays the lines of doc out on the printer's pages: one font, the font's own
// line spacing, a new page whenever the next line would pass the bottom of the
// printable area. False when the printer cannot be opened.
bool renderDocument(QPrinter& printer, const PrintDocument& doc);

} // namespace shell
