#pragma once

namespace tessnivar {

// The two forms of a report file: the table in columns, or as CSV records.
enum class ReportForm { Text, Csv };

} // namespace tessnivar
