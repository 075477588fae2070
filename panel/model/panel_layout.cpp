#include "panel/model/panel_layout.h"

#include <algorithm>

namespace tevaro::panel {
namespace {

constexpr std::array<int, 7> PresetGroupIds = {presetId(PresetRockPop),
                                               presetId(PresetClassic),
                                               presetId(PresetJazz),
                                               presetId(PresetMovie),
                                               presetId(PresetNeutral),
                                               SwitchId,
                                               InfoControlId};
constexpr std::array<int, 4> LevelGroupIds = {levelId(LevelMin), levelId(LevelMax), levelId(LevelMid), AutoId};
constexpr std::array<int, 1> StatusGroupIds = {StatusDisplayId};

int tilesToCover(int length, int tile) {
    if (length <= 0) return 0;
    return length / tile + (length % tile != 0 ? 1 : 0);
}

}  // namespace

const ControlSpec* findControl(int controlId) {
    const auto it = std::find_if(PanelControls.begin(), PanelControls.end(),
                                 [controlId](const ControlSpec& c) { return c.id == controlId; });
    return it == PanelControls.end() ? nullptr : &*it;
}

std::span<const int> groupMembers(PanelGroup group) {
    switch (group) {
        case PanelGroup::presets:
            return PresetGroupIds;
        case PanelGroup::levels:
            return LevelGroupIds;
        case PanelGroup::statusDisplay:
            return StatusGroupIds;
    }
    return {};
}

TileGrid tileGrid(const EdgeRect& client, int bitmapWidth, int bitmapHeight) {
    TileGrid grid;
    grid.left = client.left;
    grid.top = client.top;
    grid.tileWidth = std::max(bitmapWidth, 1);
    grid.tileHeight = std::max(bitmapHeight, 1);
    grid.columns = tilesToCover(client.right - client.left, grid.tileWidth);
    grid.rows = tilesToCover(client.bottom - client.top, grid.tileHeight);
    return grid;
}

}  // namespace tevaro::panel
