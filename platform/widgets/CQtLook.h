#pragma once

// The grey three-dimensional look of dialogs and controls: Qt's "Windows" style with a
// grey palette. Needs the toolkit's application to exist.
void ApplyThreeDimensionalLook();
