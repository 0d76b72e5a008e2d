#include "UnkeptValues.h"

#include "UnitSystem.h"

namespace keldar {

void TUnkeptValues::LayerTop(int layer, const QString& topAsRead, const QString& topKept) {
    fLayerTops.push_back({layer, topAsRead, topKept});
}

void TUnkeptValues::Number(int line, int item, const QString& asRead, const QString& written) {
    fOthers.append(QStringLiteral("Line %1 Item %2: %3 is saved as %4, which the analysis reads "
                                  "as another number.")
                       .arg(line)
                       .arg(item)
                       .arg(asRead, written));
}

void TUnkeptValues::Placeholder(int line, int item, const QString& what, const QString& asRead) {
    fOthers.append(QStringLiteral("Line %1 Item %2: %3, the %4, is not kept; it is saved as 0.")
                       .arg(line)
                       .arg(item)
                       .arg(asRead, what));
}

void TUnkeptValues::WordsNotRead(int line, const QStringList& words) {
    // A long tail is shown by its first words.
    constexpr qsizetype kShown = 8;
    QString text = words.mid(0, kShown).join(QLatin1Char(' '));
    if (words.size() > kShown) text += QStringLiteral(" ...");
    fOthers.append(QStringLiteral("Line %1: \"%2\" follows the values that the analysis reads "
                                  "and is not kept.")
                       .arg(line)
                       .arg(text));
}

void TUnkeptValues::TitleBytes() {
    fOthers.append(
        QStringLiteral("Line 1: the title is saved in UTF-8 characters, not in the "
                       "bytes as read."));
}

void TUnkeptValues::UnitSystem(int asRead, int kept) {
    fOthers.append(QStringLiteral("Line 2 Item 3: the unit system %1 is not 1 or 2; the project "
                                  "takes %2 (%3).")
                       .arg(asRead)
                       .arg(kept)
                       .arg(kept == usEnglish ? QStringLiteral("English units")
                                              : QStringLiteral("S.I. units")));
}

QString TUnkeptValues::Text() const {
    QStringList lines;
    lines.append(
        QStringLiteral("This file holds values that the project cannot keep. Saving "
                       "the project changes them, and with them the analysis:"));
    if (!fLayerTops.empty()) {
        QStringList tops;
        for (const TLayerTop& top : fLayerTops) {
            tops.append(QStringLiteral("layer %1 top %2 (kept as %3)")
                            .arg(top.layer)
                            .arg(top.asRead, top.kept));
        }
        lines.append(QStringLiteral("Soil layer tops as read: %1. The project keeps contiguous "
                                    "layers from the ground surface: the first layer starts at "
                                    "0 and every other layer at the bottom of the layer above.")
                         .arg(tops.join(QStringLiteral("; "))));
    }
    lines.append(fOthers);
    return lines.join(QLatin1Char('\r'));
}

}  // namespace keldar
