#pragma once
// The panel's control identifiers (those of dialog template 106) and the indices the rules count
// presets and quality levels by.
namespace tevaro::panel {

// Rock/Pop, Classic, jazz, Movie, Neutral: preset p is button 1000 + p and settings bit 1 << p.
inline constexpr int PresetCount = 5;
inline constexpr int PresetRockPop = 0;
inline constexpr int PresetClassic = 1;
inline constexpr int PresetJazz = 2;
inline constexpr int PresetMovie = 3;
inline constexpr int PresetNeutral = 4;

// Level i is button 1008 + i and settings bit 0x200 << i, so Max comes before Mid. The processor
// rating answers in the same numbering.
inline constexpr int LevelCount = 3;
inline constexpr int LevelMin = 0;
inline constexpr int LevelMax = 1;
inline constexpr int LevelMid = 2;

inline constexpr int FirstPresetId = 1000;
inline constexpr int SwitchId = 1005;
inline constexpr int InfoControlId = 1006;
inline constexpr int AutoId = 1007;
inline constexpr int FirstLevelId = 1008;
inline constexpr int StatusDisplayId = 1011;
inline constexpr int ControlCount = 12;  // ids 1000..1011

constexpr int presetId(int preset) { return FirstPresetId + preset; }
constexpr int levelId(int level) { return FirstLevelId + level; }

inline constexpr int PanelTemplateId = 106;

}  // namespace tevaro::panel
