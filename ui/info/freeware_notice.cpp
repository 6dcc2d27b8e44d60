#include "ui/info/freeware_notice.h"

#include <array>
#include <string_view>

namespace ui::info {

namespace {

// One line per paragraph; the text box wraps them.
constexpr std::array<std::string_view, 6> kParagraphs = {
    "dadiRaravor ist Freeware und bleibt Eigentum des Autors.",
    "Jeder darf das Programm kostenlos und ohne Einschränkung kopieren und weitergeben, "
    "aber nur unverändert und vollständig.",
    "Das Programm darf nicht verkauft werden.",
    "Das Programm wurde auf mehreren Systemen getestet.",
    "DER AUTOR ÜBERNIMMT KEINERLEI GEWÄHRLEISTUNG FÜR DAS PROGRAMM UND SEINE FUNKTION.",
    "DER AUTOR HAFTET NICHT FÜR SCHÄDEN, DIE DURCH DIE BENUTZUNG DES PROGRAMMS ENTSTEHEN.",
};

}  // namespace

std::string FreewareNotice() {
    std::string text;
    for (std::string_view paragraph : kParagraphs) {
        if (!text.empty()) {
            text += "\r\n\r\n";
        }
        text += paragraph;
    }
    return text;
}

}  // namespace ui::info
