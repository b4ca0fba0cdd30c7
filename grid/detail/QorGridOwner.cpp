// The owner-to-grid cast of the grid's satellites.
#include "grid/detail/QorGridOwner.h"

namespace QorGridDetail {

// The grid class joins the library after its satellites; until then no owner is a grid. With the
// grid class this is dynamic_cast<TQorStringGrid*>(Owner).
TQorStringGrid* GridOfOwner(TComponent*)
{
    return nullptr;
}

} // namespace QorGridDetail
