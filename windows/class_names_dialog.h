#pragma once

#include <QDialog>

#include "sheet_actions.h"

class QPlainTextEdit;
class QPushButton;

namespace widgets {
class Desktop;
}

namespace windows {

// "Klassensatz mit Namen": the teacher types or pastes the names of the
// class, one a line, and chooses a PDF file or the printer. The names are
// checked before the window closes; a problem is told in a box and the
// window stays, so nothing is made of a list that is not right.
class ClassNamesDialog : public QDialog {
    Q_OBJECT
  public:
    ClassNamesDialog(widgets::Desktop& desktop, QWidget* parent, const QString& typed);

    QPlainTextEdit* namesEdit;
    QPushButton* savePdfButton;  // "Als PDF speichern …"
    QPushButton* printButton;    // "Drucken …"
    QPushButton* cancelButton;   // "Abbrechen"

    // After exec(): what the teacher typed (also when cancelled), and, when
    // accepted, the checked names and where they go.
    QString typed() const;
    const QStringList& names() const { return names_; }
    printing::ClassSetCommand command() const { return command_; }

  private:
    void choose(printing::ClassSetCommand command);

    widgets::Desktop& desktop_;
    QStringList names_;
    printing::ClassSetCommand command_ = printing::ClassSetCommand::SavePdf;
};

} // namespace windows
