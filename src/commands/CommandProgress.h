#pragma once
// ProgressBar1 of a long menu command: from 0 to `count`, painted at every
// step, back to its minimum when the command ends however it ends.

#include "context/AppContext.h"
#include "context/ProgressBar.h"
#include "ui/MainFormControls.h"

#include <algorithm>

namespace vargis::commands {

class CommandProgress {
public:
    CommandProgress(context::AppContext& app, int count)
        : app_(app), bar_(app.mainForm().at(ui::kProgressBar)), platform_(app.platform()) {
        bar_.max = std::max(count, 1);
        bar_.position = 0;
        platform_.repaint();
    }
    ~CommandProgress() { bar_.position = bar_.min; }
    CommandProgress(const CommandProgress&) = delete;
    CommandProgress& operator=(const CommandProgress&) = delete;

    void step(int position) { context::showProgress(app_, position); }

    // The same while "Стоп" is offered: false once the user asked to stop.
    bool stepOrStop(int position) {
        bar_.position = position;
        return !platform_.stopRequested();
    }

private:
    context::AppContext& app_;
    ui::Control& bar_;
    ui::Platform& platform_;
};

} // namespace vargis::commands
