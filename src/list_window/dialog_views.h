#pragma once

#include "about/about_view.h"
#include "dialogs/add_item_view.h"
#include "dialogs/properties_view.h"

namespace quivanto {

// The front end's windows for every dialog the list window opens.
class DialogViews : public AddItemViews, public PropertiesViews, public AboutViews {};

} // namespace quivanto
