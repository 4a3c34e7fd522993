#pragma once

#include <array>
#include <string>

#include "common/UiText.h"
namespace tovra {

class Cab;
class SettingsStore;

inline constexpr int kSaveSlotCount = 3;

inline constexpr const char* kStateSavedMessage = uiTextMark("SaveSlots", "運転状態を保存しました");
inline constexpr const char* kStateNotWrittenMessage =
    uiTextMark("SaveSlots", "運転状態を保存できませんでした");
inline constexpr const char* kNothingSavedMessage =
    uiTextMark("SaveSlots", "運転状態が保存されていません");
inline constexpr const char* kOtherRouteMessage =
    uiTextMark("SaveSlots", "運転状態を保存したダイヤではありません");
inline constexpr const char* kUnreadableStateMessage =
    uiTextMark("SaveSlots", "保存されている運転状態を読み取れません");
inline constexpr const char* kEmptySlotCaption = "No Data";

// The items of the "Save(&S)" menu as its opening shows them, slot 1 first.
struct SaveMenuItem {
    std::string caption;
    bool enabled = true;
};
struct SaveMenu {
    std::array<SaveMenuItem, kSaveSlotCount> save;
    std::array<SaveMenuItem, kSaveSlotCount> restore;
};

// The captions from the titles in the store; an empty slot reads "No Data",
// and cannot be restored.
SaveMenu saveMenu(const SettingsStore& store);

// Writes the driving state and its title into slot 1..3 and shows what
// became of it; the message is also returned. Throws std::out_of_range for
// another slot.
std::string saveRunState(const Cab& cab, SettingsStore& store, const std::string& routeFile,
                         int slot);

// Puts the train back into the state of slot 1..3. Returns the message shown
// when nothing was restored, empty when it was. Throws std::out_of_range for
// another slot.
std::string restoreRunState(Cab& cab, const SettingsStore& store, const std::string& routeFile,
                            int slot);

}  // namespace tovra
