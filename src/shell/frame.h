// The shape every screen loop shares: at the start of a frame the back buffer is cleared,
// the frame factor is measured and the mouse is read; animated values step toward their
// targets by a step scaled by that factor.
#pragma once

namespace orvela {

// Cls; the frame timer's Update and the frame factor from it; the global mouse's fetchState.
void BeginFrame();

// Moves value toward target by step and stops exactly at the target, from below and above.
void ApproachTarget(float& value, float target, float step);

}  // namespace orvela
