// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the buttons follow a desktop style. On Linux the "visual style" is the platform
// theme: with a desktop theme plugin (GTK, KDE, ...) the buttons are drawn by the style; on a
// bare platform (offscreen, minimal, no theme plugin) they are drawn the classic way.
namespace orvanta::controls {

class CXThemeHelper {
public:
    static CXThemeHelper& Instance();

    // A desktop style is in use.
    bool IsThemeActive() const;
    // Tests and the screenshot mode force one look.
    void Override(int active) { override_ = active; }

private:
    CXThemeHelper() = default;
    int override_ = -1;  // -1 decides from the platform
};

}  // namespace orvanta::controls
