#include "batch/run_messages.h"

namespace batch {

std::string ProcessedStatus(std::int64_t count) {
    return " " + std::to_string(count) + " Dateien wurden verarbeitet";
}

// The program folder is always joined to "\do.bat" with a backslash, also at a drive root.
std::string BatchWrittenMessage(std::string_view programFolder) {
    return "Die Datei " + std::string(programFolder) +
           "\\do.bat wurde erzeugt und kann nun ausgeführt werden";
}

std::string NothingFoundMessage(std::string_view extension, std::string_view programFolder) {
    return "Keine Datei mit der Endung ." + std::string(extension) + " gefunden. " +
           std::string(programFolder) + "\\do.bat wurde nicht verändert.";
}

namespace {

// "1 Datei wurde …" or "N Dateien wurden …", the rest in the matching number.
std::string Counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + std::string(count == 1 ? one : many);
}

}  // namespace

std::string ClosingMessage(const RunReport& report, std::string_view extension,
                           std::string_view programFolder) {
    const std::int64_t written = report.written;
    const SkippedFiles& skipped = report.skipped;
    std::string message;
    if (skipped.total() == 0) {
        message = written > 0 ? BatchWrittenMessage(programFolder)
                              : NothingFoundMessage(extension, programFolder);
    } else {
        message = (written > 0 ? BatchWrittenMessage(programFolder)
                               : "Die Datei " + std::string(programFolder) +
                                     "\\do.bat wurde nicht verändert") +
                  '.';
    }
    // One line per reason, in the number its count asks for.
    const auto add = [&message](std::int64_t count, std::string_view one, std::string_view many,
                                std::string_view rest) {
        if (count > 0)
            message += '\n' + Counted(count, one, many) + std::string(rest);
    };
    add(skipped.tooLong, " Zeile wurde nicht geschrieben, weil sie länger wäre",
        " Zeilen wurden nicht geschrieben, weil sie länger wären",
        " als die 8191 Zeichen, die cmd von einer Zeile liest.");
    add(skipped.vanished,
        " Datei wurde ausgelassen, weil sie nach der Auflistung nicht mehr gefunden wurde.",
        " Dateien wurden ausgelassen, weil sie nach der Auflistung nicht mehr gefunden wurden.",
        "");
    const std::string withExtension = " Ordner mit der Endung ." + std::string(extension);
    add(skipped.folders, withExtension + " wurde", withExtension + " wurden",
        " ausgelassen: Der Befehl bekommt nur Dateien, keine Ordner.");
    add(skipped.devices, " Datei wurde", " Dateien wurden",
        " ausgelassen, weil Windows unter ihrem Namen oder dem ihres Zielordners ein Gerät wie "
        "CON, NUL, COM1 oder LPT1 öffnet.");
    const std::string notAllowed =
        ", die unter Windows in Namen nicht erlaubt sind (\\ / : * ? \" < > | oder Steuerzeichen "
        "wie der Tabulator)";
    add(skipped.unnamed, " Datei wurde ausgelassen, weil ihr Name Zeichen enthält",
        " Dateien wurden ausgelassen, weil ihre Namen Zeichen enthalten", notAllowed + ".");
    add(skipped.foldersNotEntered, " Ordner wurde nicht durchsucht, weil sein Name Zeichen enthält",
        " Ordner wurden nicht durchsucht, weil ihre Namen Zeichen enthalten",
        notAllowed + "; was darin liegt, fehlt in der Dateiliste.");
    add(skipped.unrepresentable, " Datei wurde", " Dateien wurden",
        " ausgelassen, weil ihr Pfad Zeichen enthält, die do.bat in der Codepage der Konsole "
        "nicht darstellen kann, und kein kurzer Name sie ersetzt.");
    add(skipped.caretBehindCall, " Datei wurde", " Dateien wurden",
        " ausgelassen, weil ihr Pfad ein ^ enthält: call verdoppelt es, und der Befehl bekäme "
        "einen anderen Namen.");
    add(skipped.changedByDelayedExpansion, " Datei wurde", " Dateien wurden",
        " ausgelassen, weil ihr Pfad ein ! enthält (oder ein ^ neben einem ! des Befehls): cmd "
        "/v:on liest es als Teil einer Variablen, und der Befehl bekäme einen anderen Namen.");
    if (written == 0 && report.otherCase.files > 0) {
        std::string spellings;
        for (const std::string& spelling : report.otherCase.spellings)
            spellings += (spellings.empty() ? "" : ", ") + spelling;
        add(report.otherCase.files, " Datei trägt", " Dateien tragen",
            " die Endung in anderer Schreibweise (" + spellings +
                "); der Vergleich unterscheidet Groß- und Kleinschreibung (." +
                std::string(extension) + " ist nicht " + report.otherCase.spellings.front() +
                "). Geben Sie die Endung so ein, wie sie in den Namen steht.");
    }
    if (report.earlierLines > 0) {
        message += "\nSchon vor diesem Lauf " +
                   std::string(report.earlierLines == 1 ? "stand " : "standen ") +
                   Counted(report.earlierLines, " Zeile", " Zeilen") +
                   " in do.bat; wer do.bat ausführt, führt auch " +
                   (report.earlierLines == 1 ? "sie" : "diese") + " aus.";
    }
    return message;
}

std::string LinesAppended(std::int64_t count) {
    return " " + std::to_string(count) + " Zeilen dieses Laufs wurden an do.bat angehängt.";
}

std::string CommandRefusedMessage(std::string_view command, const CommandRefusal& refusal) {
    std::string message = "Der Befehl " + std::string(command) + " enthält an Stelle " +
                          std::to_string(refusal.position) + " »" + refusal.what + "«";
    switch (refusal.reason) {
        case CommandRefusal::Reason::BatchArgument:
            message +=
                "; cmd setzt dort ein Argument von do.bat ein, nicht diesen Text. Für ein "
                "Prozentzeichen schreiben Sie %%.";
            break;
        case CommandRefusal::Reason::ControlCharacter:
            message += "; do.bat bekäme dort eine Zeile, die cmd anders liest als den Befehl.";
            break;
        case CommandRefusal::Reason::OpenQuote:
            message +=
                ", ein Anführungszeichen ohne Gegenstück; Datei und Zielordner würden so "
                "Teil des Befehls.";
            break;
        case CommandRefusal::Reason::EndsWithOperator:
            message +=
                " am Ende; cmd läse die Datei dann als eigenen Befehl oder als Ziel einer "
                "Umleitung, die sie überschreibt.";
            break;
        case CommandRefusal::Reason::DeletesBelow:
            message +=
                "; damit löscht er auch gleichnamige Dateien in allen Unterordnern, nicht "
                "nur die gewählte.";
            break;
        case CommandRefusal::Reason::EndsWithBlock:
            message +=
                " am Ende; Datei und Zielordner stünden hinter der Klammer, wo cmd sie keinem "
                "Befehl übergibt.";
            break;
        case CommandRefusal::Reason::LacksCommand:
            message += " am Ende, dem der Befehl fehlt; cmd führte dann die Datei selbst aus.";
            break;
        case CommandRefusal::Reason::Unreadable:
            message +=
                ", das sich nicht bis zu seinem Ende lesen lässt (eine Bedingung, ein for-Kopf "
                "oder eine Klammer ohne Gegenstück); welcher Befehl dort die Datei bekäme, wäre "
                "nur zu raten.";
            break;
        case CommandRefusal::Reason::StartTitle:
            message +=
                "; start nimmt das erste Wort in Anführungszeichen als Fenstertitel, nicht als "
                "Programm. Schreiben Sie \"\" davor: start \"\" " +
                refusal.what + ".";
            break;
        case CommandRefusal::Reason::ConsoleInterpreter:
            message +=
                " ohne /c; dieser cmd läse seine Befehle von der Konsole und bekäme die Datei "
                "nicht. Schreiben Sie cmd /c.";
            break;
        case CommandRefusal::Reason::Unprotectable:
            message +=
                "; kein Text in do.bat brächte Datei und Zielordner dort unverändert an (ein "
                "inneres cmd /c nimmt Anführungszeichen weg, und call verdoppelt die Zeichen, die "
                "sie schützen). Lassen Sie ein inneres »cmd /c« weg: Jede Zeile von do.bat "
                "beginnt schon mit cmd /c.";
            break;
        case CommandRefusal::Reason::StartQuotedBatch:
            message +=
                "; start ließe diesen Befehl von einem neuen cmd ausführen, der sein erstes und "
                "sein letztes Anführungszeichen wegnimmt, und kein Text in do.bat schützt ihn "
                "dort. Rufen Sie eine Stapeldatei mit call statt start auf.";
            break;
        case CommandRefusal::Reason::ProgramQuoteOpen: {
            message +=
                "; ein Programm liest \\\" als Anführungszeichen im Text, so würden Datei und "
                "Zielordner Teil dieses Arguments.";
            const std::size_t newline = refusal.value.find('\n');
            if (newline != std::string::npos)
                message += " Schreiben Sie " + refusal.value.substr(0, newline) + " oder " +
                           refusal.value.substr(newline + 1) + ".";
            else
                message += " Schließen Sie das Anführungszeichen.";
            break;
        }
        case CommandRefusal::Reason::VariableAsText:
            message +=
                "; der cmd, den /c startet, setzt dort den Wert der Variablen ein, und kein Text "
                "in do.bat gibt den Namen mit seinen Prozentzeichen unter Windows und Wine "
                "gleichermaßen unverändert weiter.";
            break;
        case CommandRefusal::Reason::SubstitutionValue:
            message += "; der Wert, den cmd dort einsetzt (" + refusal.value +
                       "), enthält ein Anführungszeichen oder eines der Zeichen & | < > ( ), das "
                       "wirkte, als stünde es dort.";
            break;
    }
    return message + " Es wurde nichts geschrieben.";
}

std::string CommandCharacterNotHeldMessage(std::string_view command, std::string_view character,
                                           std::size_t position) {
    return "Der Befehl " + std::string(command) + " enthält an Stelle " + std::to_string(position) +
           " das Zeichen »" + std::string(character) +
           "«, das do.bat in der Codepage der Konsole nicht darstellen kann; cmd läse dort ein "
           "anderes Zeichen. Es wurde nichts geschrieben.";
}

std::string FolderBusyMessage(std::string_view programFolder) {
    return "Im Programmordner " + std::string(programFolder) +
           " läuft gerade ein anderer Lauf (ein zweites Fenster oder ein Skript), der dort "
           "list.tmp und do.bat schreibt. Bitte warten Sie, bis er beendet ist, und starten Sie "
           "dann erneut.";
}

std::string ExtensionRefusedMessage(std::string_view extension) {
    const std::string typed(extension);
    if (typed.empty())
        return "Es ist keine Endung angegeben. Geben Sie die Endung der Dateien ohne Punkt ein, "
               "zum Beispiel tif. Es wurde nichts geschrieben.";
    const std::size_t first = typed.find_first_not_of('.');
    if (first != 0) {
        const std::string bare = first == std::string::npos ? "" : typed.substr(first);
        return "Die Endung " + typed +
               " beginnt mit einem Punkt; der Punkt steht schon vor dem Feld (*.). Geben Sie "
               "die Endung ohne ihn ein" +
               (bare.empty() || bare.find('.') != std::string::npos ? "" : ": " + bare) +
               ". Es wurde nichts geschrieben.";
    }
    const std::string part = typed.substr(0, typed.find('.'));
    return "Die Endung " + typed +
           " enthält einen Punkt; die Endung eines Namens reicht nur bis zum nächsten Punkt "
           "(plan.tar.gz hat die Endung tar). Geben Sie nur den Teil vor dem Punkt ein: " +
           part + ". Es wurde nichts geschrieben.";
}

std::string NoWorkFolderMessage(std::string_view programFolder, bool installed,
                                std::string_view dataFolder) {
    const std::string data = dataFolder.empty()
                                 ? "ein Datenordner (für diesen Benutzer ist keiner bekannt)"
                                 : "der Datenordner " + std::string(dataFolder);
    if (installed)
        return "Das Programm ist in " + std::string(programFolder) +
               " installiert und schreibt dort nicht, und " + data +
               " kann list.tmp und do.bat nicht aufnehmen (schreibgeschützt, voll oder nicht "
               "anzulegen). Es wurde nichts geschrieben.";
    return "Weder der Programmordner " + std::string(programFolder) + " noch " + data +
           " kann list.tmp und do.bat aufnehmen (schreibgeschützt, voll oder nicht anzulegen). "
           "Es wurde nichts geschrieben.";
}

std::string StartFolderWithVariableMessage(std::string_view startFolder) {
    return "Das Startverzeichnis " + std::string(startFolder) +
           " enthält zwei Prozentzeichen; cmd würde den Text dazwischen als Variable lesen und "
           "einen anderen Ordner auflisten. Bitte benennen Sie den Ordner um. Es wurde nichts "
           "geschrieben.";
}

std::string ProgramFolderWithVariableMessage(std::string_view programFolder) {
    return "Der Programmordner " + std::string(programFolder) +
           " enthält zwei Prozentzeichen; cmd würde den Text dazwischen als Variable lesen und "
           "list.tmp an einem anderen Ort anlegen. Bitte legen Sie das Programm in einen anderen "
           "Ordner. Es wurde nichts geschrieben.";
}

std::string OldListNotRemovedMessage(std::string_view listPath, std::string_view reason) {
    return "Die alte Dateiliste " + std::string(listPath) +
           " konnte nicht entfernt werden: " + std::string(reason) +
           ". Ohne neue Liste wurde der Lauf nicht gestartet; do.bat wurde nicht verändert.";
}

std::string InterpreterNotStartedMessage(std::string_view listPath, std::string_view reason) {
    return "Die Dateiliste " + std::string(listPath) +
           " konnte nicht erstellt werden: Der Befehlsinterpreter ließ sich nicht starten (" +
           std::string(reason) + ").";
}

std::string ListNotCreatedMessage(std::string_view listPath) {
    return "Die Dateiliste " + std::string(listPath) +
           " wurde vom Befehlsinterpreter nicht angelegt. Ist der Programmordner "
           "schreibgeschützt oder der Datenträger voll?";
}

std::string ListVanishedMessage(std::string_view listPath) {
    return "Die Dateiliste " + std::string(listPath) +
           " ist verschwunden, bevor sie gelesen werden konnte (gelöscht, oder das Laufwerk ist "
           "nicht mehr bereit). do.bat wurde nicht verändert.";
}

std::string ListUnreadableMessage(std::string_view listPath, std::string_view reason) {
    return "Die Dateiliste " + std::string(listPath) +
           " konnte nicht gelesen werden: " + std::string(reason) + ".";
}

std::string ListLineTooLongMessage(std::string_view listPath) {
    return "Die Dateiliste " + std::string(listPath) +
           " enthält einen Pfad, der zu lang ist (mehr als 32767 Zeichen oder mehr Zeilen als "
           "zählbar). Der Lauf wurde dort abgebrochen.";
}

std::string ListIncompleteMessage(std::string_view listPath) {
    return "Die Dateiliste " + std::string(listPath) +
           " ist unvollständig: Der Befehlsinterpreter hat die Auflistung nicht zu Ende "
           "geschrieben (Datenträger voll?).";
}

std::string StartFolderVanishedMessage(std::string_view startFolder) {
    return "Das Startverzeichnis " + std::string(startFolder) +
           " ist während der Auflistung verschwunden; die Dateiliste ist unvollständig.";
}

std::string BatchUnwritableMessage(std::string_view batchPath, std::string_view reason,
                                   std::int64_t linesWritten) {
    return "Die Datei " + std::string(batchPath) +
           " konnte nicht geschrieben werden: " + std::string(reason) + ". " +
           std::to_string(linesWritten) +
           " Zeilen dieses Laufs wurden angehängt; was vorher in der Datei stand, ist erhalten.";
}

std::string ProgramFolderMissingMessage(std::string_view programFolder) {
    if (programFolder.empty())
        return "Der Programmordner liegt auf keinem Laufwerk; dort werden list.tmp und do.bat "
               "angelegt.";
    return "Der Programmordner " + std::string(programFolder) +
           " wurde nicht gefunden; dort werden list.tmp und do.bat angelegt.";
}

std::string RunAbortedMessage(std::string_view reason) {
    return "Der Lauf wurde abgebrochen: " + std::string(reason);
}

std::string MissingFoldersMessage(bool startExists, std::string_view startFolder, bool outputExists,
                                  std::string_view outputFolder) {
    std::string message;
    if (!startExists)
        message += "Startverzeichnis nicht gefunden: " + std::string(startFolder);
    if (!outputExists) {
        if (!message.empty())
            message += '\n';
        message += "Ausgabeverzeichnis nicht gefunden: " + std::string(outputFolder);
    }
    return message;
}

}  // namespace batch
