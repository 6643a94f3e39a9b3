#include "context/ProgressBar.h"

#include "ui/MainFormControls.h"

namespace vargis::context {

void showProgress(AppContext& app, int position) {
    app.mainForm().at(ui::kProgressBar).position = position;
    app.platform().repaint();
}

std::function<void(int)> progressShown(AppContext& app) {
    return [&app](int position) { showProgress(app, position); };
}

} // namespace vargis::context
