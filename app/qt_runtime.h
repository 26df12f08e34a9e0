#pragma once

#include <random>

#include "runtime.h"

namespace app {

// The runtime of the real program: Qt's boxes, printer, clipboard and screen.
class QtRuntime : public widgets::Runtime {
  public:
    QtRuntime();

    int msgBox(const QString& prompt, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    void randomize() override;
    double rnd() override;
    QSize screenTwips() override;
    core::PrintResult print(const core::PrintDocument& doc) override;
    core::PrintResult printWithDialog(const core::PrintDocument& doc) override;
    bool printToPdf(const core::PrintDocument& doc, const QString& path) override;
    QString saveFileName(const QString& caption, const QString& suggestedName,
                         const QString& filter) override;
    core::PrintResult printJobWithDialog(const core::PrintJob& job) override;
    core::PrintResult printJobToPdf(const core::PrintJob& job, const QString& path) override;
    void setClipboardText(const QString& text) override;
    void setClipboardContent(const QString& text, const QString& html) override;
    // Pages the program paints itself (qt_runtime_painted.cpp).
    core::PrintResult printPaintedWithDialog(widgets::PaintedDocument& doc) override;
    bool savePaintedPdf(widgets::PaintedDocument& doc, const QString& path) override;

  private:
    std::mt19937_64 gen_;
    bool seeded_ = false;
};

} // namespace app
