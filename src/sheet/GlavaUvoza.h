#pragma once
// Row 1 of an import file: which sheet columns fill which POD_ORVEL columns, which header names
// name no column, and which columns of the table the file leaves out.

#include "output/StolpciPodOrvel.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv::sheet {

struct UvozniStolpec {
    int stolpec = 0;                         ///< sheet column, 1-based
    const StolpecPodOrvel* tabela = nullptr; ///< the POD_ORVEL column it fills
};

struct GlavaUvoza {
    /// The sheet columns that are imported, in sheet order.
    std::vector<UvozniStolpec> stolpci;
    /// Header names (trimmed, as written) that name no column of POD_ORVEL, in sheet order.
    std::vector<std::string> neznani;
    /// The columns of POD_ORVEL, in table order, that no header names: they go in empty.
    std::vector<std::string> manjkajoci;
    /// The sheet column of DAT_STANJE; column 1 when no header names it.
    int datumskiStolpec = 1;
    /// The sheet column of VKNT, when a header names it.
    std::optional<int> razredniStolpec;
    /// A column named twice: which value is meant cannot be told, so the header is unusable.
    struct Podvojen {
        std::string ime;
        int prvi = 0, drugi = 0;
    };
    std::optional<Podvojen> podvojen;
};

/// Reads the header from `celica(1, c)` for the sheet columns 1 to `doStolpca`: a name (trimmed,
/// any case) that names a column of POD_ORVEL imports its sheet column, empty cells are
/// skipped, every other name is listed as unknown.
GlavaUvoza preberiGlavoUvoza(const std::function<std::string(int stolpec)>& celica, int doStolpca);

/// Names as one line: "A, B, C".
std::string seznamImen(const std::vector<std::string>& imena);

} // namespace orv::sheet
