#include "context/ProgressBar.h"

#include "ui/MainFormControls.h"

namespace vargis::context {

void showProgress(Application& app, int position) {
    app.mainForm().at(ui::kProgressBar).position = position;
    app.platform().repaint();
}

std::function<void(int)> progressShown(Application& app) {
    return [&app](int position) { showProgress(app, position); };
}

} // namespace vargis::context
