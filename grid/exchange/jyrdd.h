// jyrdd: the grid's OLE drag and drop. For now its process-wide RTF switch, which the grids'
// drag-and-drop settings write; the drop target, drop source and data objects that read it come
// with OLE drag and drop.
#pragma once

namespace jyrdd {

// Whether rich text is taken from drops and offered to drop targets, for every grid of the
// process (the last grid to set it wins). Off at start-up.
bool RTFAware();
void SetRTFAware(bool Value);

} // namespace jyrdd
