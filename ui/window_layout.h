#pragma once

#include <QRect>

#include <string_view>

// Where every control of the window lies, in client pixels: the one place to read or change the
// window's layout.
namespace qytxt::ui {

struct ControlPlace {
    std::string_view name; // the control's object name
    int x, y, width, height;
};

inline constexpr int kClientWidth = 532;
inline constexpr int kClientHeight = 546;

// Group boxes first: they are made first, so that they lie behind the controls drawn over them.
inline constexpr ControlPlace kWindowLayout[] = {
    {"splitGroup", 17, 12, 495, 258},
    {"splitSettingsGroup", 25, 35, 477, 89},
    {"splitDetailsGroup", 25, 127, 477, 135},
    {"mergeGroup", 17, 278, 495, 251},
    {"mergeSettingsGroup", 26, 298, 477, 221},

    {"sourceLabel", 44, 63, 52, 14},
    {"splitSourceField", 94, 57, 363, 27},
    {"sourcePicker", 463, 58, 20, 22},
    {"splitFolderLabel", 44, 94, 52, 14},
    {"splitFolderField", 94, 88, 363, 27},
    {"folderPicker", 463, 90, 20, 22},
    {"byPartsRadio", 39, 158, 85, 19},
    {"bySizeRadio", 128, 158, 85, 18},
    {"partsLabel", 41, 186, 110, 14},
    {"partsField", 154, 179, 40, 26}, // with its arrows against its right edge
    {"sizeLabel", 41, 218, 110, 14},
    {"sizeField", 154, 212, 40, 26},
    {"infoPanel", 222, 137, 211, 122},
    {"splitButton", 437, 140, 61, 113},

    {"mergeList", 29, 319, 397, 152},
    {"addBeforeButton", 429, 316, 70, 25},
    {"addAfterButton", 429, 341, 70, 25},
    {"deleteEntryButton", 429, 367, 70, 25},
    {"deleteAllButton", 429, 394, 70, 25},
    {"moveUpButton", 429, 419, 70, 25},
    {"moveDownButton", 429, 445, 70, 25},
    {"mergeOutputLabel", 32, 488, 49, 14},
    {"mergeOutputField", 83, 483, 279, 27},
    {"outputPicker", 365, 486, 20, 22},
    {"mergeButton", 393, 473, 105, 42},

    // As wide as the client area, so that its centred text sits in the window's middle.
    {"adLine", 0, 532, kClientWidth, 14},
};

// The rectangle the table gives the control named `name`; an empty one for a name it lacks.
constexpr QRect placeOf(std::string_view name)
{
    for (const ControlPlace& place : kWindowLayout)
        if (place.name == name)
            return QRect(place.x, place.y, place.width, place.height);
    return QRect();
}

} // namespace qytxt::ui
