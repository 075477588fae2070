#include "panel/model/help_page.h"

#include <algorithm>

namespace tevaro::panel {

const HelpPicture* findHelpPicture(int controlId) {
    const auto it = std::find_if(HelpPictures.begin(), HelpPictures.end(),
                                 [controlId](const HelpPicture& p) { return p.controlId == controlId; });
    return it == HelpPictures.end() ? nullptr : &*it;
}

PixelSize helpClientSize(PixelSize header, PixelSize strip, int verticalArrowSize) {
    // 0.7 of the strip in integers: 647 gives 452 (452.9 truncated).
    return {header.width + verticalArrowSize, header.height + strip.height * 7 / 10};
}

int scrollIncrement(ScrollRequest request, int position, int maximum, int trackPosition) {
    switch (request) {
        case ScrollRequest::lineUp:
            return -1;
        case ScrollRequest::lineDown:
            return 1;
        case ScrollRequest::pageUp:
            return std::min(-1, -(maximum / 4));
        case ScrollRequest::pageDown:
            return std::max(1, maximum / 4);
        case ScrollRequest::thumbTrack:
            return trackPosition - position;
        case ScrollRequest::other:
            return 0;
    }
    return 0;
}

ScrollStep clampedScroll(int position, int maximum, int increment) {
    const int delta = std::max(-position, std::min(increment, maximum - position));
    return {std::clamp(position + delta, 0, std::max(0, maximum)), delta};
}

int scrollMaximum(int pageHeight, int clientHeight) { return std::max(0, (pageHeight - clientHeight) / 4); }

}  // namespace tevaro::panel
