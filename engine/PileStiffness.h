// The pile's axial stiffness along its depth and the elastic flexibility that follows from it.
// The solver and the results summary (which reads the AE table of the project, not the run
// store) take both from here, so that Davisson's elastic line is the solver's pile.
#pragma once

namespace keldar {

// AE at depth x from a table of n rows (depth[0..n-1] increasing, ae[0..n-1]). Above the first
// and below the last row the nearest AE holds; two rows at one depth make a step (the upper AE
// first). 0 when the table is empty.
float stiffnessInTable(const float* depth, const float* ae, int n, float x);

// Depth of the middle of increment i (1 at the tip) of a pile cut into `increments` equal parts.
float incrementMiddleDepth(float pileLength, int increments, int i);

// Elastic head movement per unit load of the pile loaded at its head alone: the sum of
// length / AE over the increments, AE at each increment's middle. 0 when there are no
// increments or AE is not above 0 at some middle.
float pileFlexibility(const float* depth, const float* ae, int n, float pileLength, int increments);

}  // namespace keldar
