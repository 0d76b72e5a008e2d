// What the user is told when the engine stops a run: its status and, in its own words, why. The
// engine gives only the status back; its words are the last "**** ERROR ****" or
// "**** WARNING ****" block of the output report, which ends the report when a run stops.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace keldar {

// The lines of the report's last error or warning block, without its heading, blank lines and
// leading blanks, separated by "\r"; empty when the report has no such block.
QString EngineStopReason(const QByteArray& report);

// "The analysis stopped (engine status N)." followed by the reason when there is one.
QString RunStoppedText(std::int32_t status, const QString& reason);

}  // namespace keldar
