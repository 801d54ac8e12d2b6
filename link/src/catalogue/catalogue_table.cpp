// Lookups in the command catalogue (the rows are in catalogue_table.h).
#include "catalogue/catalogue_table.h"

#include "catalogue/catalogue.h"

namespace qorlink {

std::span<const Command> Catalogue() {
    return table::kCatalogue;
}

const Command* FindCommand(std::string_view name) {
    for (const Command& cmd : table::kCatalogue)
        if (cmd.name == name) return &cmd;
    return nullptr;
}

}  // namespace qorlink
