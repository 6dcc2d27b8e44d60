#include "ui/info/placement.h"

#include "ui/common/twips.h"

namespace ui::info {
namespace {

// Fixed room, not the info window's own width: a little of it may end beyond the screen.
constexpr float kRoomNeeded = 5520.0f;

}  // namespace

int InfoWindowLeft(const QRect& mainFrame, const QRect& primaryScreen) {
    const int mainLeft = PixelsToTwips(mainFrame.x() - primaryScreen.x());
    const int mainWidth = PixelsToTwips(mainFrame.width());
    const int screenWidth = PixelsToTwips(primaryScreen.width());
    // Single precision, as the design reckons the room: on a desktop wider than 2^24 twips
    // (about a million pixels) it rounds.
    const float room = static_cast<float>(screenWidth) - static_cast<float>(mainLeft) -
                       static_cast<float>(mainWidth) - kRoomNeeded;
    if (room < 0)
        return primaryScreen.x();
    return primaryScreen.x() + TwipsToPixels(mainLeft + mainWidth);
}

}  // namespace ui::info
