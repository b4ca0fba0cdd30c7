// The owner-to-grid cast of the grid's satellites.
#include "grid/detail/QorGridOwner.h"

#include "grid/QorGrid.h"

namespace QorGridDetail {

TQorStringGrid* GridOfOwner(TComponent* Owner)
{
    return dynamic_cast<TQorStringGrid*>(Owner);
}

} // namespace QorGridDetail
