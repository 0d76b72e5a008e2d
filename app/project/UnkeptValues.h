// What a data file holds that the project cannot keep: values that the analysis reads from the
// file but that the project would drop or write differently when the file is saved again. The
// file opens all the same; the user is told what saving it would change.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace keldar {

class TUnkeptValues {
  public:
    // A soil layer whose top, as read, is not where the project starts it (0 for the first
    // layer, the bottom of the layer above for the others).
    void LayerTop(int layer, const QString& topAsRead, const QString& topKept);
    // A number that the analysis reads differently once it is written in the file's form.
    void Number(int line, int item, const QString& asRead, const QString& written);
    // A value at a place that the project writes as the placeholder "0.0".
    void Placeholder(int line, int item, const QString& what, const QString& asRead);
    // Words after the values of a record, or after the last record.
    void WordsNotRead(int line, const QStringList& words);
    void TitleBytes();
    void UnitSystem(int asRead, int kept);

    bool IsEmpty() const { return fLayerTops.empty() && fOthers.isEmpty(); }
    // The text of the information box, lines separated by "\r".
    QString Text() const;

  private:
    struct TLayerTop {
        int layer;
        QString asRead;
        QString kept;
    };
    std::vector<TLayerTop> fLayerTops;
    QStringList fOthers;
};

}  // namespace keldar
