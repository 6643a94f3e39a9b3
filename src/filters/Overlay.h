#pragma once
// The overlay of the enabled filters over the history (BitBtn275): the line
// of draw ordinals shows in red every draw that failed at least one enabled
// filter at that filter's last evaluation, in yellow the others, and hides
// the first draws that the enabled filters cannot judge.

#include "ui/MainFormControls.h"

#include <optional>

namespace vargis::context {
class AppContext;
struct Workspace;
} // namespace vargis::context

namespace vargis::ui {
class Form;
}

namespace vargis::filters {

using ui::kOverlayButton;

// How many first draws a row leaves out because it looks that many draws
// back; nullopt for a row that does not change the overlay's count.
std::optional<int> overlaySkipCount(int row);

// BitBtn275Click: recolours RichEdit1 from the fail marks of the enabled
// rows and titles the line "Наложение".
void overlayEnabledFilters(const context::Workspace& ws, ui::Form& form);

void registerOverlayHandlers(context::AppContext& app);

} // namespace vargis::filters
