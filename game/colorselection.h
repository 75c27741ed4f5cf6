#pragma once

#include <array>
#include <initializer_list>

// Which of the five colours take part in a game, by colour code 1 (red),
// 2 (blue), 3 (green), 4 (yellow) and 5 (violet). The colour menu, the tool
// bar, the chooser, the settings file and the game's deal all use this one
// value.
class ColorSelection {
public:
    static constexpr int Count = 5;

    constexpr ColorSelection() = default;
    // The colours `codes`; codes outside 1 to 5 are left out.
    constexpr ColorSelection(std::initializer_list<int> codes)
    {
        for (const int code : codes)
            Set(code, true);
    }

    constexpr bool Has(int code) const { return code >= 1 && code <= Count && on_[code - 1]; }
    constexpr void Set(int code, bool on)
    {
        if (code >= 1 && code <= Count)
            on_[code - 1] = on;
    }
    constexpr int SelectedCount() const
    {
        int count = 0;
        for (const bool on : on_)
            count += on ? 1 : 0;
        return count;
    }
    bool operator==(const ColorSelection&) const = default;

private:
    std::array<bool, Count> on_{};
};

// The colours of a first start, and of a selection the player emptied.
inline constexpr ColorSelection StartColors{1, 2, 4};
