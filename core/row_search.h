#pragma once

#include "subnet_rows.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace tessnivar {

// The three texts of a row: its number, its start address and its end address.
enum class RowText { Number, Start, End };

// The first row from row from on, going round to row 0 after the last, whose text of kind begins
// with prefix; nullopt when no row's does. The rows are an arithmetic sequence, so the row is
// computed rather than searched for: constant time for every plan whose second to fourth octets
// were typed as 0 or more (all Class A plans among them); rows of other plans are looked through.
[[nodiscard]] std::optional<std::size_t> FindRowStartingWith(const SubnetRows& rows, RowText kind,
                                                             std::string_view prefix,
                                                             std::size_t from);

// The text of kind of row i.
[[nodiscard]] std::string RowTextOf(const SubnetRows& rows, RowText kind, std::size_t i);

} // namespace tessnivar
