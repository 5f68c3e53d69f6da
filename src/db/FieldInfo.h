#pragma once
// What a dataset knows of one column of its result: the metadata the grid and its tools use.

#include <string>

namespace orv {

enum class FieldType { String, Float, Date };

struct FieldInfo {
    std::string name; ///< the column name as the result gives it
    FieldType type = FieldType::String;
    int size = 0; ///< declared width of a text column (0: unknown)
    std::string displayLabel;
    int displayWidth = 0; ///< in characters
    bool visible = true;
    std::string editMask;
    std::string displayFormat;
};

} // namespace orv
