// The most recently used data files, newest first, as the File menu lists them.
#pragma once

#include <QString>
#include <QStringList>

namespace keldar {

class TRecentFiles {
  public:
    static constexpr int kCapacity = 10;

    // Makes the name entry 1: an entry k moves up and the ones before it move down; a new name
    // pushes every entry down and drops the tenth. Returns whether the list changed (names are
    // compared exactly).
    bool Add(const QString& name);
    // The stored entries, gaps and names beyond the tenth left out.
    void Assign(const QStringList& entries);
    void Clear() { entries_.clear(); }

    int Count() const { return static_cast<int>(entries_.size()); }
    const QString& Entry(int index) const { return entries_.at(index); }
    const QStringList& Entries() const { return entries_; }

  private:
    QStringList entries_;
};

// The File menu's caption of entry number n (1 .. 10): "n name", where a name inside the current
// folder is shown without that folder.
QString RecentFileCaption(int number, const QString& entry, const QString& currentFolder);

}  // namespace keldar
