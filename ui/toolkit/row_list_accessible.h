#pragma once

namespace tessnivar {

// Makes screen readers see each RowListView as one list of its rows: one column, as many
// children as rows, made only for the rows asked about, and the selected row reported.
void InstallRowListAccessibility();

} // namespace tessnivar
