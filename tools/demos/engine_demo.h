// The engine demonstration screen: every drawing service on one picture a person can judge
// (blend modes, scale and rotation around handles, tints and fades, TrueType text in three
// sizes, lines with and without their last pixel, rectangles).
#pragma once

namespace orvela {

// Draws one frame of the demonstration; `frame` animates the rotating parts.
void DrawEngineDemoFrame(int frame);

// Runs the demonstration until Escape is pressed (the window closing ends it too).
void RunEngineDemo();

}  // namespace orvela
