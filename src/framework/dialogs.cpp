#include "framework/dialogs.h"

#include "framework/widgetset.h"

namespace fw {

bool TOpenDialog::Execute() { return WidgetSet().ExecuteFileDialog(*this, IsSave()); }

}  // namespace fw
