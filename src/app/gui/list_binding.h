// Owner-data list views over the list-view models: rows are drawn straight from the model, so a list of
// a hundred thousand findings scrolls without copying them into the control.
#pragma once

#include "app/gui/win.h"

#include "app/gui/gui_app.h"

namespace veltrane::gui {

void SetUpListView(Binding& binding);
void RebuildColumns(Binding& binding);
// Rows were added, changed or removed in the model: the next flush brings the control up to date.
void OnListRowsChanged(Binding& binding, Change change, size_t index);
// The model's selection is shown by the control.
void SelectListRow(Binding& binding);
void FlushListView(Binding& binding);
// Notifications of the control: row texts and check boxes asked for, check boxes ticked, rows selected.
// syncing is set while a change of the control is passed to the model.
LRESULT ListNotify(Binding& binding, NMHDR* header, bool& syncing);
// After the space key has been handled by the control: ticks the row unless the control did so itself.
void ListSpaceToggle(Binding& binding, size_t row);

}  // namespace veltrane::gui
