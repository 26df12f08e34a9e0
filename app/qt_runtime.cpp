#include "qt_runtime.h"

#include <algorithm>

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include "form.h"
#include "printing.h"
#include "twips.h"
#include "window_stack.h"

namespace app {

using namespace widgets;
using namespace printing;

namespace {

// Boxes show the prompt's carriage returns as line breaks.
QString displayText(QString s) {
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// A message box knows its size only once it shows.
class FittedMessageBox : public QMessageBox {
  public:
    explicit FittedMessageBox(QWidget* parent) : QMessageBox(parent), parent_(parent) {}

  protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        tw::fitBox(this, parent_);
    }

  private:
    QWidget* parent_;
};

} // namespace

QtRuntime::QtRuntime() = default;

int QtRuntime::msgBox(const QString& prompt, int style, const QString& title) {
    QWidget* parent = boxParent();
    FittedMessageBox box(parent);
    tw::zoomBox(&box, parent);
    box.setWindowTitle(title);
    box.setText(displayText(prompt));
    switch (style & 0x70) {
    case 16:
        box.setIcon(QMessageBox::Critical);
        break;
    case 32:
        box.setIcon(QMessageBox::Question);
        break;
    case 48:
        box.setIcon(QMessageBox::Warning);
        break;
    case 64:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    const bool yesNo = (style & 7) == YesNo;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* ok = nullptr;
    if (yesNo) {
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton((style & SecondButtonDefault) ? no : yes);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    forms::restoreFocus();
    if (yesNo) return box.clickedButton() == yes ? AnswerYes : AnswerNo;
    return AnswerOk;
}

QString QtRuntime::inputBox(const QString& prompt, const QString& title,
                            const QString& defaultText) {
    QWidget* parent = boxParent();
    QInputDialog dlg(parent);
    tw::zoomBox(&dlg, parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(displayText(prompt));
    dlg.setTextValue(defaultText);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    dlg.setInputMode(QInputDialog::TextInput);
    // Wide enough for the whole title in the frame.
    dlg.resize(QSize(std::max(dlg.sizeHint().width(), 360), dlg.sizeHint().height())
                   .boundedTo(tw::roomOnScreen(parent)));
    tw::fitBox(&dlg, parent);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    forms::restoreFocus();
    return accepted ? dlg.textValue() : QString();
}

void QtRuntime::randomize() {
    // Seed once from the clock; later calls keep the running sequence, so
    // tasks drawn within the same second still differ.
    if (seeded_) return;
    seeded_ = true;
    const auto ms = quint64(QDateTime::currentMSecsSinceEpoch());
    std::random_device rd;
    gen_.seed(ms ^ (quint64(rd()) << 32) ^ rd());
}

double QtRuntime::rnd() {
    if (!seeded_) randomize();
    return double(gen_() >> 11) * (1.0 / 9007199254740992.0);
}

QSize QtRuntime::screenTwips() {
    QScreen* s = QGuiApplication::primaryScreen();
    const QSize px = s ? s->geometry().size() : QSize(1024, 768);
    return QSize(tw::fromPx(px.width()), tw::fromPx(px.height()));
}

QString QtRuntime::saveFileName(const QString& caption, const QString& suggestedName,
                                const QString& filter) {
    // A bare file name opens in the user's documents folder, not wherever the program was started.
    QString start = suggestedName;
    if (!suggestedName.contains(QLatin1Char('/'))) {
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString dir = QDir(docs).exists() ? docs : QDir::homePath();
        start = QDir(dir).filePath(suggestedName);
    }
    QWidget* parent = boxParent();
    QFileDialog dlg(parent, caption, QString(), filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.selectFile(start);
    tw::zoomBox(&dlg, parent);
    tw::fitBox(&dlg, parent);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    forms::restoreFocus();
    return accepted ? dlg.selectedFiles().value(0) : QString();
}

core::PrintResult QtRuntime::printWithDialog(const core::PrintDocument& doc) {
    QPrinter printer(QPrinter::HighResolution);
    const core::PrintResult chosen = choosePrinter(printer, doc.lines.value(0));
    if (chosen != core::PrintResult::Printed) return chosen;
    return renderDocument(printer, doc) ? core::PrintResult::Printed : core::PrintResult::Failed;
}

void QtRuntime::setClipboardText(const QString& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setText(text, QClipboard::Clipboard);
}

void QtRuntime::setClipboardContent(const QString& text, const QString& html) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setMimeData(data, QClipboard::Clipboard);
}

} // namespace app
