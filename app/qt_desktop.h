#pragma once

#include <random>

#include "desktop.h"

namespace app {

// The desktop of the real program: Qt's boxes, dialogs, printer, clipboard
// and screen; random numbers seeded once from the clock.
class QtDesktop : public widgets::Desktop {
  public:
    QtDesktop();

    widgets::Answer message(QWidget* parent, const QString& title, const QString& text,
                            widgets::BoxStyle style) override;
    QString askText(QWidget* parent, const QString& title, const QString& prompt,
                    const QString& preset) override;
    QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggestedName,
                        const QString& filter) override;
    double random() override;
    qint64 now() override;
    QSize screenTwips() override;
    core::PrintResult print(const core::PrintDocument& doc) override;
    core::PrintResult printWithDialog(QWidget* parent, const core::PrintDocument& doc) override;
    bool printToPdf(const core::PrintDocument& doc, const QString& path) override;
    core::PrintResult printJobWithDialog(QWidget* parent, const core::PrintJob& job) override;
    core::PrintResult printJobToPdf(QWidget* parent, const core::PrintJob& job,
                                    const QString& path) override;
    // Pages the program paints itself (qt_desktop_painted.cpp).
    core::PrintResult printPaintedWithDialog(QWidget* parent,
                                             widgets::PaintedDocument& doc) override;
    bool savePaintedPdf(widgets::PaintedDocument& doc, const QString& path) override;
    void setClipboard(const QString& text, const QString& html) override;

  private:
    std::mt19937_64 gen_;
};

} // namespace app
