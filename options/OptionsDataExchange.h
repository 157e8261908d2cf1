// Data exchange for check boxes and radio-button groups, which the options
// dialog binds besides the framework's text and control bindings.
#pragma once

#include "framework/CDialog.h"

namespace options_ddx {

// value: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The group that starts with firstId (the button carrying WS_GROUP) and runs
// over the following radio buttons up to the next WS_GROUP control. value is
// the index of the checked button; -1 when none is checked (saving) or to
// clear them all (loading).
void DDX_Radio(CDataExchange* dx, int firstId, int& value);

} // namespace options_ddx
