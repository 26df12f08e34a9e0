#pragma once

#include <QString>

#include "practice_record.h"

// The practice report as one row of the teacher's spreadsheet: a CSV file
// that LibreOffice Calc and Excel with German settings open directly (UTF-8
// with byte-order mark, ";" between fields, CR LF at line ends), so one file
// collects the whole class, a row per child.
//
// Saving from the report window:
//
//     const QString row = reportTableRow(record, name, choice);
//     const TableFile file = checkTableFile(path);
//     if (file == TableFile::Foreign || file == TableFile::Unreadable)
//         -> box with tableMessage(file, path), nothing written
//     if (file == TableFile::Ours)
//         -> Yes/No box with tableMessage(file, path); No: nothing written
//     -> box with tableMessage(writeTableRow(path, row), path)
namespace core {

// The header line, without line end: "Name;Datum;Beginn;Ende;Gelöste
// Aufgaben;Richtige Ziffern;Falsche Ziffern;Falsch: Ergebnisziffer;…;Falsch:
// andere Taste;Hinweise;Aufgabenauswahl". Files are recognised by it.
QString reportTableHeader();

// One field as the row holds it. Text a spreadsheet would run as a formula
// (beginning with "=", "+", "-" or "@", also after blanks or line breaks, or
// beginning with a tab or CR) gets a leading apostrophe. The field is quoted,
// inner quotes doubled, when it is such a formula or holds ";", ",", a quote
// or a line break, or begins or ends with a blank; otherwise it stays as it
// is, so numbers stay numbers.
QString tableField(const QString& text);

// The row of one report, without line end, from the same record the report
// shows: the child's name (blanks trimmed as on the report), the date of the
// first entry (dd.MM.yyyy), the time of the first and of the last (HH:mm),
// tasks solved, right digits, wrong digits, the wrong digits of each bar of
// the report in its order, hints on the order of the steps, and the task
// choice ("" when none). Date and times are empty before anything was
// recorded.
QString reportTableRow(const PracticeRecord& record, const QString& childName,
                       const QString& taskChoice);

// What a chosen file is to the table.
enum class TableFile {
    New,       // does not exist (or is empty): written as a new table
    Ours,      // readable and begins with our header line: a row can be appended
    Foreign,   // something else: never changed
    Unreadable // exists but cannot be read (no permission, a folder): never changed
};
// Looks at the file without changing it. The byte-order mark may be missing
// (a spreadsheet that saved the file again may drop it); the header must be
// ours to the byte, so a file saved again in another encoding is foreign.
TableFile checkTableFile(const QString& path);

enum class TableWrite { Written, Foreign, Unreadable, Failed };
// Writes the row: a new table (byte-order mark, header, row) or the old
// content with the row appended, on a line of its own, with the line ends the
// file has. The file is checked again first; a foreign or unreadable one is
// not touched. The whole file is written beside it and put in its place only
// when complete, so a full disk or an ended program leaves the old file as it
// was and never half a row.
TableWrite writeTableRow(const QString& path, const QString& row);

// One German sentence for the window's box, naming the file: for a checked
// file the question "Eine Zeile für dieses Kind an die Tabelle anhängen?"
// (Ours), why it stays unchanged (Foreign, Unreadable), "" for New; after
// writing, that the row was saved or that nothing was changed.
QString tableMessage(TableFile file, const QString& path);
QString tableMessage(TableWrite written, const QString& path);

} // namespace core
