// The tables of one set (a project's tables and the sub-tables made from them), by family, in
// creation order. Button columns name their templates by identifier and find them here, so the
// tables of two projects in one process never take each other's identifiers or templates.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace keldar {

class TGridTable;

// A table finds its templates only among tables of its own family.
enum class TTableFamily { Plain, Chart };

class TTableRegistry {
  public:
    TTableRegistry() = default;
    TTableRegistry(const TTableRegistry&) = delete;
    TTableRegistry& operator=(const TTableRegistry&) = delete;

    const std::vector<TGridTable*>& Tables(TTableFamily family) const;
    // The table of the family with that identifier, or nullptr.
    TGridTable* Find(TTableFamily family, std::int32_t identifier) const;
    // An identifier no table of the family has; declared tables take theirs later, so the
    // counter skips the ones taken and identifiers stay unique.
    std::int32_t NextFreeIdentifier(TTableFamily family);

    void Add(TTableFamily family, TGridTable& table);
    void Remove(TTableFamily family, const TGridTable& table);

  private:
    struct TFamilyTables {
        std::vector<TGridTable*> Tables;
        std::int32_t Counter = 0;
    };
    TFamilyTables& Of(TTableFamily family) { return fFamilies[static_cast<int>(family)]; }
    const TFamilyTables& Of(TTableFamily family) const {
        return fFamilies[static_cast<int>(family)];
    }

    std::array<TFamilyTables, 2> fFamilies;
};

}  // namespace keldar
