#pragma once

#include <QString>
#include <QStringList>

#include "sheet_text.h"

// The names of a class, typed or pasted one a line, for a class set with a
// name on every sheet. The window reads the names with classNames(); with a
// problem it shows the sentence and makes nothing, otherwise it composes
// names.size() sheets and passes the names to classSetDocuments().
namespace core {

// One sheet a name, so a list holds as many names as a class set has sheets
// at most. The longest name in characters, as a reader counts them ("é" is
// one, however it was typed).
constexpr int kClassNamesMost = kClassSetMost;
constexpr int kNameLongest = 40;

struct ClassNames {
    QStringList names; // in the order of the list; empty when there is a problem
    QString problem;   // one German sentence for a box; empty when the names are fine
};

// The names of the typed text: one a line (any line end), empty lines
// skipped, blanks at either end trimmed and blanks or tabs inside one name
// made a single blank (two columns pasted from a spreadsheet become "Müller
// Anna"). 1 to 40 names of at most 40 characters each, or no names and the
// problem: no name at all, more than 40 names, or the first name that is too
// long, with its line as the text field counts it.
ClassNames classNames(const QString& typed);

} // namespace core
