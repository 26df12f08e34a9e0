#include "class_names_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "class_names.h"
#include "desktop.h"
#include "twips.h"

namespace windows {

namespace {
const QString kTitle = QStringLiteral("Klassensatz mit Namen");
} // namespace

ClassNamesDialog::ClassNamesDialog(widgets::Desktop& desktop, QWidget* parent,
                                   const QString& typed)
    : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("classNamesDialog"));
    setWindowTitle(kTitle);
    auto* hint = new QLabel(
        QStringLiteral("Die Namen der Kinder, einer je Zeile (zum Beispiel aus der Klassenliste "
                       "eingefügt). Jedes Kind bekommt sein eigenes Blatt, in dieser Reihenfolge; "
                       "danach folgen die Lösungsblätter in derselben Reihenfolge."),
        this);
    hint->setWordWrap(true);
    namesEdit = new QPlainTextEdit(this);
    namesEdit->setObjectName(QStringLiteral("classNamesEdit"));
    namesEdit->setPlainText(typed);
    namesEdit->setTabChangesFocus(true);
    hint->setBuddy(namesEdit);

    auto* buttons = new QDialogButtonBox(this);
    savePdfButton = buttons->addButton(QStringLiteral("Als PDF speichern …"),
                                       QDialogButtonBox::AcceptRole);
    printButton = buttons->addButton(QStringLiteral("Drucken …"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    // Enter in the list begins a new line; the buttons are chosen on purpose.
    for (QPushButton* b : {savePdfButton, printButton, cancelButton})
        b->setAutoDefault(false);
    connect(savePdfButton, &QPushButton::clicked, this,
            [this] { choose(printing::ClassSetCommand::SavePdf); });
    connect(printButton, &QPushButton::clicked, this,
            [this] { choose(printing::ClassSetCommand::PrintOn); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(hint);
    column->addWidget(namesEdit, 1);
    column->addWidget(buttons);

    // Read from as far away as the window it was opened from, on its screen.
    tw::zoomBox(this, parent);
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 60, metrics.height() * 26);
    tw::fitBox(this, parent);
    namesEdit->setFocus();
}

QString ClassNamesDialog::typed() const {
    return namesEdit->toPlainText();
}

void ClassNamesDialog::choose(printing::ClassSetCommand command) {
    const core::ClassNames checked = core::classNames(typed());
    if (!checked.problem.isEmpty()) {
        desktop_.message(this, kTitle, checked.problem,
                         {widgets::Buttons::Ok, widgets::Icon::Warning});
        namesEdit->setFocus();
        return;
    }
    names_ = checked.names;
    command_ = command;
    accept();
}

} // namespace windows
