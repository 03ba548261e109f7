// The composite: a game screen assembled from generated pictures and the layout values, to judge the
// art as a player sees it (background, board, gems, monument stage, time bar, figures, cabin).
#pragma once

#include <string>

namespace contactsheet {

struct CompositeOptions {
    std::string Graphics;          // the generated graphics/ folder
    std::string Data;              // the game data folder (cfg/layout, cfg/levels)
    std::string Layout = "R800x600";
    int Level = 1;                 // monument 1..7
    int Stage = 12;                // monument frame 0..24
    double TimeFill = 0.62;        // how full the time bar is drawn
    std::string Out;               // PNG to write
};

// Draws the screen; returns the number of pictures that were missing (skipped). Throws on bad input.
int WriteComposite(const CompositeOptions& o);

}  // namespace contactsheet
