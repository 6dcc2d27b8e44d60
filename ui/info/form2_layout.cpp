#include "ui/info/form2_layout.h"

#include "ui/info/freeware_notice.h"

namespace ui::info {
namespace {

namespace K = kinds;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};

constexpr PointerPicture kHand{":/info/hand.png", 0, 0};

// Every control in the order the window creates them; later ones lie on top. Each keeps the
// mouse from the window, whose own moves put the figure to rest (the line lets them through).
// The last column is what screen readers are told.
// clang-format off
constexpr ControlDescription kControls[] = {
    {"Command1", K::CommandButton, {}, "ist ja gut", {1905, 4050, 1335, 375}, 2,
     {.ownsMouse = true}, {.name = "ist ja gut – INFO schließen"}},
    // Cut off at the top edge on purpose.
    {"Picture1", K::PictureBox, {}, {}, {3825, -45, 1575, 1215}, 1,
     {.ownsMouse = true, .picture = ":/info/logo.gif"}, {.name = "Logo von dadiRaravor"}},
    {"Text1", K::MultiLineTextBox, {}, kFreewareNotice, {105, 2730, 5055, 1215}, 0,
     {.ownsMouse = true}, {.name = "Freeware-Hinweis"}},
    {"Label1", K::Label, {}, "dadiRaravor", {1155, 0, 2055, 495}, 6,
     {.fontPoints = 15.75, .bold = true, .italic = true, .serif = true, .transparent = true,
      .ownsMouse = true}, {.description = "Name des Programms"}},
    {"Label5", K::Label, {}, "Updates, und mehr downloads ...", {1365, 2340, 2400, 255}, 5,
     {.foreground = kBlue, .underline = true, .transparent = true, .ownsMouse = true,
      .pointer = kHand},
     {.name = "Updates, und mehr downloads ... – Download-Seite im Browser öffnen",
      .actsAs = ControlAccess::ActsAs::Link}},
    {"Label4", K::Label, {}, "jana@example.org", {3705, 1515, 1815, 255}, 4,
     {.background = kWhite, .transparent = true, .ownsMouse = true},
     {.description = "E-Mail-Adresse des Autors"}},
    {"Label3", K::Label, {}, "Dr. Jana Beispiel", {3705, 1275, 1815, 255}, 3,
     {.background = kWhite, .transparent = true, .ownsMouse = true}, {.description = "Autor"}},
    // The two colourings of the figure lie on top of each other; exactly one shows.
    {"Image2", K::Image, {}, {}, {2025, 1530, 525, 645}, kNoTabIndex,
     {.ownsMouse = true, .picture = ":/info/figure_lit.gif"},
     {.name = "Figur – INFO schließen", .actsAs = ControlAccess::ActsAs::Button}},
    {"Image1", K::Image, {}, {}, {2025, 1530, 540, 645}, kNoTabIndex,
     {.hidden = true, .ownsMouse = true, .picture = ":/info/figure_rest.gif"},
     {.name = "Figur", .description = "leuchtet unter dem Mauszeiger auf"}},
    {"Line1", K::Line, {}, {}, {465, 2130, 3000, 15}, kNoTabIndex, {}, {.name = "Trennlinie"}},
};
// clang-format on

constexpr FormDescription kForm2{.name = "Form2",
                                 .caption = "INFO",
                                 .icon = ":/info/form2_icon.png",
                                 .clientWidth = 5640,
                                 .clientHeight = 4635,
                                 .background = kWhite,
                                 .controls = kControls};

}  // namespace

const FormDescription& Form2Description() {
    return kForm2;
}

}  // namespace ui::info
