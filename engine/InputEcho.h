// The report header and the echo of the input into the report (.kd3o) and the plot data file
// (.kd3p). Every routine writes fixed line layouts from the run store to runFiles().
#pragma once

#include <cstdint>
#include <string_view>

#include "OutputFile.h"
#include "RunDriver.h"

namespace keldar {

// Unit labels of the report headings from IUNIT: 1 = English, any other value SI.
void setUnitLabels();

// Banner, identification, file block and date and time: the start of every report.
void writeReportHeader(const RunIdentity& identity, const RunPaths& paths, const ReportTime& time);

// Program heading, title and pile kind, written once NINC, IOUT and IUNIT are known.
void writeEchoOpening();

// Soil layers and their property rows (generated curves).
void writeLayerHeading();
void writeLayerRow(int layer);
void writePropertyTables();

// The t-z curve table: heading, then per curve its row followed by its points. Report and plot
// data file share the curve row and point layouts.
void writeCurveTableHeading();
void writeCurveRow(OutputFile& file, int curve);
void writeCurvePoint(OutputFile& file, int curve, int point);
void writeCurve(OutputFile& file, int curve);
// All NCURV curves to the report, with heading.
void writeCurveTable();
// The plot file's t-z block: the count, then the first `count` curves.
void writePlotCurves(int count);

void writeAeTable();

// The tip curve: heading and pairs to the report; NQW and the pairs to the plot data file.
void writeTipCurveHeading();
void writeTipCurvePoints(OutputFile& file);
void writeTipCurve();

void writePileData();
void writeTopLoadsHeading();
void writeTopLoad(int load);
void writeSettlementHeading();
void writeSettlementRow(int point);
void writeTzMultiplierHeading();
void writeTzMultiplierRow(int row);
void writeQwMultipliers();

// A problem that stops the run: an error block in the report when it is open, and the message
// on standard error.
void writeRunError(std::int32_t status, std::string_view message);

}  // namespace keldar
