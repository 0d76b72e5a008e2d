// Fills the program's project with a CPT design: an ordinary entered-curves project in S.I.
// units (kN, m), saved and run like any other.
#pragma once

#include <QString>

#include "PileDesign.h"
#include "ProgramData.h"

namespace keldar::cpt {

// Replaces the project by a new one holding the design's t-z curves, Q-w curve, axial stiffness
// and tip movements, with the pile's length, outer diameter and gross tip area. The project is
// marked modified: it has not been saved.
// "Pile from CPT" and the test's identification where the file gives one.
QString DefaultTitle(const CptRecord& record);

void FillProject(TProgramData& project, const PileDesign& design, const PileGeometry& pile,
                 const QString& title);

}  // namespace keldar::cpt
