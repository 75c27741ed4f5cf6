#pragma once

#include <array>

// Which of the five colours take part in a game, by colour code 1 (red),
// 2 (blue), 3 (green), 4 (yellow) and 5 (violet). The colour menu, the tool
// bar, the chooser and the settings file all show or store this one value.
class ColorSelection {
public:
    static constexpr int Count = 5;

    bool Has(int code) const { return code >= 1 && code <= Count && on_[code - 1]; }
    void Set(int code, bool on)
    {
        if (code >= 1 && code <= Count)
            on_[code - 1] = on;
    }
    int SelectedCount() const
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
