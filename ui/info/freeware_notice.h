#pragma once
// The freeware notice in the info window's text box: paragraphs separated by blank lines, every
// line ended by CR LF, the last two paragraphs (warranty and liability) in capitals. One line
// per paragraph; the text box wraps them.

#include <string>
#include <string_view>

namespace ui::info {

// UTF-8.
inline constexpr std::string_view kFreewareNotice =
    "dadiRaravor ist Freeware und bleibt Eigentum des Autors.\r\n\r\n"
    "Jeder darf das Programm kostenlos und ohne Einschränkung kopieren und weitergeben, "
    "aber nur unverändert und vollständig.\r\n\r\n"
    "Das Programm darf nicht verkauft werden.\r\n\r\n"
    "Das Programm wurde auf mehreren Systemen getestet.\r\n\r\n"
    "DER AUTOR ÜBERNIMMT KEINERLEI GEWÄHRLEISTUNG FÜR DAS PROGRAMM UND SEINE FUNKTION.\r\n\r\n"
    "DER AUTOR HAFTET NICHT FÜR SCHÄDEN, DIE DURCH DIE BENUTZUNG DES PROGRAMMS ENTSTEHEN.";

inline std::string FreewareNotice() {
    return std::string(kFreewareNotice);
}

}  // namespace ui::info
