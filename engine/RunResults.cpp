#include "RunResults.h"

#include "UnitSystem.h"

namespace keldar {

UnitLabels unitLabels(int unitSystem) {
    if (unitSystem == usEnglish) return {"in", "lb", "psi"};
    return {"m", "kN", "kPa"};
}

const char* statusDescription(std::int32_t status) {
    switch (status) {
        case 0:
            return "Normal run.";
        case 1:
            return "Wrong handshake value.";
        case 4:
            return "Unit weight asked for below the deepest unit-weight row.";
        case 5:
            return "Undrained shear strength asked for below the deepest strength row.";
        case 6:
            return "Side friction asked for below the deepest strength row.";
        case 7:
            return "Tip resistance asked for below the deepest strength row.";
        case 8:
            return "Friction angle asked for below the deepest strength row.";
        case 9:
            return "No tip curve can be built.";
        case 10:
            return "The file names file is missing or incomplete.";
        case 11:
            return "The data file cannot be opened or read.";
        case 12:
            return "An output file cannot be created.";
        case 13:
            return "The data file ends before a value that is needed.";
        case 14:
            return "A value in the data file is not a number or out of range.";
        case 15:
            return "A count in the data file is outside its range.";
        case 16:
            return "A soil type code is outside 1 to 6.";
        case 17:
            return "The pile stiffness is unusable for the solution.";
        case 18:
            return "Writing an output file failed.";
        case 19:
            return "Internal error.";
        case 20:
            return "The pile length or outer diameter is not above 0.";
        default:
            return "The run stopped.";
    }
}

}  // namespace keldar
