#include "qt_desktop.h"

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

#include "printing.h"
#include "twips.h"

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

QtDesktop::QtDesktop() {
    // A new sequence each run, even for two starts within the same second.
    const auto ms = quint64(QDateTime::currentMSecsSinceEpoch());
    std::random_device rd;
    gen_.seed(ms ^ (quint64(rd()) << 32) ^ rd());
}

Answer QtDesktop::message(QWidget* parent, const QString& title, const QString& text,
                          BoxStyle style) {
    FittedMessageBox box(parent);
    tw::zoomBox(&box, parent);
    box.setWindowTitle(title);
    box.setText(displayText(text));
    switch (style.icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    QPushButton* yes = nullptr;
    if (style.buttons == Buttons::Ok) {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton(style.buttons == Buttons::YesNoDefaultNo ? no : yes);
        box.setEscapeButton(no);
    }
    box.exec();
    tw::returnFocus(parent);
    if (!yes) return Answer::Ok;
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

QString QtDesktop::askText(QWidget* parent, const QString& title, const QString& prompt,
                           const QString& preset) {
    QInputDialog dlg(parent);
    tw::zoomBox(&dlg, parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(displayText(prompt));
    dlg.setTextValue(preset);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    dlg.setInputMode(QInputDialog::TextInput);
    // Wide enough for the whole title in the frame.
    dlg.resize(QSize(std::max(dlg.sizeHint().width(), 360), dlg.sizeHint().height())
                   .boundedTo(tw::roomOnScreen(parent)));
    tw::fitBox(&dlg, parent);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    tw::returnFocus(parent);
    return accepted ? dlg.textValue() : QString();
}

double QtDesktop::random() {
    return double(gen_() >> 11) * (1.0 / 9007199254740992.0);
}

qint64 QtDesktop::now() {
    return QDateTime::currentMSecsSinceEpoch();
}

QSize QtDesktop::screenTwips() {
    QScreen* s = QGuiApplication::primaryScreen();
    const QSize px = s ? s->geometry().size() : QSize(1024, 768);
    return QSize(tw::fromPx(px.width()), tw::fromPx(px.height()));
}

QString QtDesktop::askSaveFile(QWidget* parent, const QString& caption,
                               const QString& suggestedName, const QString& filter) {
    // A bare file name opens in the user's documents folder, not wherever the program was started.
    QString start = suggestedName;
    if (!suggestedName.contains(QLatin1Char('/'))) {
        const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString dir = QDir(docs).exists() ? docs : QDir::homePath();
        start = QDir(dir).filePath(suggestedName);
    }
    QFileDialog dlg(parent, caption, QString(), filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.selectFile(start);
    tw::zoomBox(&dlg, parent);
    tw::fitBox(&dlg, parent);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    tw::returnFocus(parent);
    return accepted ? dlg.selectedFiles().value(0) : QString();
}

core::PrintResult QtDesktop::printWithDialog(QWidget* parent, const core::PrintDocument& doc) {
    QPrinter printer(QPrinter::HighResolution);
    const core::PrintResult chosen = choosePrinter(parent, printer, doc.lines.value(0));
    if (chosen != core::PrintResult::Printed) return chosen;
    return renderDocument(printer, doc) ? core::PrintResult::Printed : core::PrintResult::Failed;
}

void QtDesktop::setClipboard(const QString& text, const QString& html) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setMimeData(data, QClipboard::Clipboard);
}

} // namespace app
