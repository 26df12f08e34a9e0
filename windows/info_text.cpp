#include "info_text.h"

#include <QStringList>

namespace windows {

QString infoText() {
    static const char* const lines[] = {
        "Mit diesem Programm kann die schriftliche einstellige Division trainiert werden. Das "
        "Ausdrucken einfacher Übungsblätter ist ebenfalls möglich.",
        "",
        "Das Programm behandelt die normale Division und die Division mit Rest. Hierzu kann "
        "jeweils ein Aufgabenblatt und ein Lösungsblatt ausgedruckt werden.",
        "",
        "Innerhalb der Übungsreihen gibt es zur Entspannung kleine Belohnungsspiele.",
        "",
        "Die Bedienung erfolgt mit der Maus über Drag&Drop der angezeigten Zifferntasten.",
        "Fehler werden sofort angezeigt und können unmittelbar verbessert werden.",
        "",
        "Neu bei diesem Programm ist die optionale Bedienung mit der Tastatur. Lesen Sie dazu den "
        "Hilfetext im Rechenfenster.",
        "",
        "Der Drucker wird im Infofenster aktiviert bzw. deaktiviert. Wurde das vor dem "
        "Druckbefehl vergessen, so kann man mit einem Kennwort die Sperre aufheben.",
        "Das Passwort zum Aufheben der Druckersperre entspricht der in diesem Moment angezeigten "
        "Anzahl der richtigen Punkte.",
    };
    QStringList text;
    for (const char* l : lines)
        text << QString::fromUtf8(l);
    return text.join(QLatin1Char('\n'));
}

} // namespace windows
