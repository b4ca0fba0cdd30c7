// How the grid's satellites (panels, lists, editors, windows, settings) find the grid they serve:
// the owner they are created with, taken as a grid. Every satellite asks here, so that the cast
// lives in one place.
#pragma once

class TComponent;
class TQorStringGrid;

namespace QorGridDetail {

// Owner as a grid; null when the owner is none or no grid. A satellite without a grid keeps its
// own state and leaves out every step that reaches into a grid.
TQorStringGrid* GridOfOwner(TComponent* Owner);

} // namespace QorGridDetail
