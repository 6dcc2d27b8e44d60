#include "ui/main/form1_layout.h"

#include "ui/main/form1_controls.h"

namespace ui::mainwindow {
namespace {

namespace K = form1_kinds;
constexpr auto kButton = ControlAccess::ActsAs::Button;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGreen{0, 192, 0};
constexpr Rgb kTeal{0, 192, 192};

constexpr std::string_view kExpandStrip = ":/main/expand_strip.gif";
// The black-and-white hand points with its top-left corner, the coloured one with its fingertip.
constexpr PointerPicture kHandBw{":/main/hand_bw.png", 0, 0};
constexpr PointerPicture kHandColour{":/main/hand_colour.png", 12, 1};

// Containers come before their contents; Frame4 comes after Frame3 so that it lies in front of
// the output-folder panel it floats over. One row per control, kept on its lines by hand; the
// last column is what screen readers are told (a field's name begins with the caption that
// shows beside or above it; a strip's name says what a click does, at start open the panel).
// clang-format off
constexpr ControlDescription kControls[] = {
    // The window itself.
    {"Frame2", K::Frame, {}, "Start Verzeichnis", {105, 135, 4425, 4335}, 1, {},
     {.name = "Start Verzeichnis", .description = "Auswahl des Startverzeichnisses"}},
    {"Frame3", K::Frame, {}, "Optionales Ausgabe -Verzeichnis ", {4830, 135, 4425, 4335}, 7, {},
     {.name = "Optionales Ausgabe -Verzeichnis",
      .description = "Auswahl des Ausgabeverzeichnisses"}},
    {"Frame4", K::Frame, {}, "Neues Verzeichnis anlegen", {5145, 2205, 3795, 1005}, 16,
     {.background = kTeal, .borderless = true, .hidden = true},
     {.name = "Bereich für einen neuen Ordner", .description = "Esc schließt ihn"}},
    {"txtExtension", K::TextBox, {}, "gz", {8295, 4590, 645, 285}, 24, {},
     {.name = "Extension – Dateierweiterung", .description = "ohne Punkt, etwa tif"}},
    {"txtDosCmd", K::TextBox, {}, "test", {945, 4590, 5055, 285}, 23,
     {.background = kBlack, .foreground = kSilver, .bold = true},
     {.name = "Befehl", .description = "steht in do.bat vor jeder Datei"}},
    {"Check1", K::CheckBox, {}, "Ausgabeverzeichnis als Zielverzeichnis verwenden",
     {6720, 4905, 2325, 330}, 22},
    {"cmdInfo", K::CommandButton, {}, "INFO", {9345, 225, 855, 465}, 15,
     {.background = kYellow, .bold = true}, {.name = "INFO – Über das Programm"}},
    {"Command1", K::CommandButton, {}, "Kommando für alle Unterordner jetzt starten",
     {945, 4950, 5055, 435}, 13, {.background = kYellow, .fontPoints = 9.75, .bold = true},
     {.description = "schreibt für jede passende Datei eine Zeile in do.bat"}},
    {"Line1", K::Line, {}, {}, {105, 4500, 10080, 15}, kNoTabIndex, {}, {.name = "Trennlinie"}},
    {"Label2", K::Label, {}, "Extension:     *.", {6720, 4590, 1590, 285}, 25,
     {.fontPoints = 9.75, .bold = true}, {.buddy = "txtExtension"}},
    {"Label1", K::Label, {}, "D. Raravor, 7.12.2026", {7350, 5310, 2010, 240}, 14,
     {.foreground = kGrey, .transparent = true}, {.description = "Autor und Datum"}},
    // Its name follows its text when a run or a folder picker reports (form1_run.h).
    {"lblStatus", K::Label, {}, "Status", {105, 5535, 9255, 285}, 0, {.border = true},
     {.name = "Status", .description = "Statuszeile"}},
    // After the credit and status lines, whose right ends it overlaps by one pixel.
    {"Image1", K::Image, {}, {}, {9345, 4995, 900, 870}, kNoTabIndex,
     {.ownsMouse = true, .pointer = kHandBw, .picture = ":/main/close.gif"},
     {.name = "Programm beenden", .actsAs = kButton}},

    // The start-folder panel.
    {"cmdokInput", K::CommandButton, "Frame2", "ok", {3465, 3735, 750, 375}, 6,
     {.background = kGreen}, {.name = "ok – Startverzeichnis übernehmen"}},
    {"File2", K::FileList, "Frame2", {}, {105, 3570, 3270, 675}, 5, {.pattern = "*.pdf;*.PDF"},
     {.name = "PDF-Dateien im Ordner"}},
    {"StartDir", K::TextBox, "Frame2", {}, {105, 270, 4215, 285}, 4, {},
     {.name = "Start Verzeichnis – Pfad",
      .description = "F4 oder Alt+Pfeil ab öffnet die Auswahl"}},
    {"Drive2", K::DriveList, "Frame2", {}, {105, 840, 4215, 315}, 3, {},
     {.name = "Laufwerk des Startverzeichnisses",
      .description = "wählt das Laufwerk der Ordnerliste darunter"}},
    {"Dir2", K::FolderList, "Frame2", {}, {105, 1260, 4215, 2115}, 2, {},
     {.name = "Ordner des Startverzeichnisses",
      .description = "Eingabetaste öffnet einen Ordner"}},
    {"Image2", K::Image, "Frame2", {}, {1260, 525, 1605, 135}, kNoTabIndex,
     {.ownsMouse = true, .pointer = kHandBw, .picture = kExpandStrip},
     {.name = "Startverzeichnis-Auswahl öffnen",
      .description = "öffnet oder schließt die Auswahl", .actsAs = kButton}},

    // The output-folder panel.
    {"Dir3", K::FolderList, "Frame3", {}, {105, 1260, 4215, 2115}, 12, {},
     {.name = "Ordner des Ausgabeverzeichnisses",
      .description = "Eingabetaste öffnet einen Ordner"}},
    // After Dir3, whose lower edge it overlaps, so the button shows whole.
    {"cmd_DirNeuTIF", K::CommandButton, "Frame3", "neu", {3465, 3330, 750, 285}, 19,
     {.background = kTeal}, {.name = "neu – Neuen Ordner anlegen"}},
    {"Drive3", K::DriveList, "Frame3", {}, {105, 840, 4215, 315}, 11, {},
     {.name = "Laufwerk des Ausgabeverzeichnisses",
      .description = "wählt das Laufwerk der Ordnerliste darunter"}},
    {"txtOptDir", K::TextBox, "Frame3", {}, {105, 270, 4215, 285}, 10, {},
     {.name = "Optionales Ausgabe -Verzeichnis – Pfad",
      .description = "F4 oder Alt+Pfeil ab öffnet die Auswahl"}},
    {"File3", K::FileList, "Frame3", {}, {105, 3570, 3270, 675}, 9, {.pattern = "*.tif"},
     {.name = "TIF-Dateien im Startordner des Programms"}},
    {"cmdokOutput", K::CommandButton, "Frame3", "ok", {3465, 3735, 750, 375}, 8,
     {.background = kGreen}, {.name = "ok – Ausgabeverzeichnis übernehmen"}},
    {"Image3", K::Image, "Frame3", {}, {1575, 525, 1605, 135}, kNoTabIndex,
     {.ownsMouse = true, .pointer = kHandBw, .picture = kExpandStrip},
     {.name = "Ausgabeverzeichnis-Auswahl öffnen",
      .description = "öffnet oder schließt die Auswahl", .actsAs = kButton}},

    // The new-folder panel.
    {"cmd_mkdir", K::CommandButton, "Frame4", "ok", {2730, 540, 855, 330}, 18, {},
     {.name = "ok – Ordner anlegen"}},
    {"txtDirTIF", K::TextBox, "Frame4", "neuerOrdner", {105, 540, 2535, 330}, 17, {},
     {.name = "Neues Verzeichnis anlegen – Name des neuen Ordners"}},
    {"Label4", K::Label, "Frame4", "Neues Verzeichnis anlegen", {105, 90, 2535, 195}, 21,
     {.transparent = true}, {.buddy = "txtDirTIF"}},
    {"cmdOut", K::Label, "Frame4", "X", {3360, 45, 330, 240}, 20,
     {.background = kTeal, .centred = true, .ownsMouse = true, .pointer = kHandColour},
     {.name = "X – Bereich schließen", .actsAs = kButton}},
};
// clang-format on

// Client area 688 × 402 pixels.
constexpr FormDescription kForm1{.name = "Form1",
                                 .caption = "dadiRaravor",
                                 .icon = ":/main/window_icon.png",
                                 .clientWidth = 10320,
                                 .clientHeight = 6030,
                                 .controls = kControls};

}  // namespace

const FormDescription& Form1Description() {
    return kForm1;
}

}  // namespace ui::mainwindow
