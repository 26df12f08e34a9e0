#pragma once

#include <random>

#include "runtime.h"

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
    PrintResult printWithDialog(const PrintDocument& doc) override;
    bool printToPdf(const PrintDocument& doc, const QString& path) override;
    QString saveFileName(const QString& caption, const QString& suggestedName,
                         const QString& filter) override;
    PrintResult printJobWithDialog(const PrintJob& job) override;
    PrintResult printJobToPdf(const PrintJob& job, const QString& path) override;
    void setClipboardText(const QString& text) override;
    void setClipboardContent(const QString& text, const QString& html) override;
    // Pages the program paints itself (qt_runtime_painted.cpp).
    PrintResult printPaintedWithDialog(PaintedDocument& doc) override;
    bool savePaintedPdf(PaintedDocument& doc, const QString& path) override;

  private:
    std::mt19937_64 gen_;
    bool seeded_ = false;
};

} // namespace shell
