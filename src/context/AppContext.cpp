#include "context/AppContext.h"

#include "base/Convert.h"
#include "base/Errors.h"
#include "ui/GridCells.h"
#include "ui/MainFormControls.h"

#include <algorithm>
#include <exception>

namespace vargis::context {

using ui::Event;

AppContext::AppContext(ui::Platform& platform)
    : platform_(platform), form2_(ui::kAboutForm), form7_(ui::kNumbersPanelForm),
      form1_(ui::kMainForm) {}

ui::Form& AppContext::form(const std::string& name) {
    if (name == ui::kMainForm)
        return form1_;
    if (name == ui::kAboutForm)
        return form2_;
    if (name == ui::kNumbersPanelForm)
        return form7_;
    throw ControlError("Форма " + name + " не существует");
}

void AppContext::showCaption(ui::Form& form, ui::Control& control, std::string text) {
    if (&form == &form1_)
        workspace_.settings.showCaption(control, std::move(text));
    else
        control.caption = std::move(text);
}

void AppContext::showChecked(ui::Form& form, ui::Control& control, bool checked) {
    if (&form == &form1_)
        workspace_.settings.showChecked(control, checked);
    else
        control.checked = checked;
}

bool AppContext::guarded(const std::function<void()>& fn) {
    bool ok = true;
    try {
        fn();
    } catch (const std::exception& e) {
        ok = false;
        platform_.showError(e.what());
    } catch (...) {
        ok = false;
        platform_.showError("Неизвестная ошибка");
    }
    touch();
    return ok;
}

void AppContext::setChecked(ui::Form& form, const std::string& name, bool checked) {
    ui::Control& box = form.at(name);
    if (box.checked == checked)
        return;
    showChecked(form, box, checked);
    dispatcher_.run(form.name(), name, Event::Click);
}

void AppContext::pressControl(ui::Form& form, const std::string& name) {
    form.at(name);
    dispatcher_.run(form.name(), name, Event::Click);
}

bool AppContext::click(const std::string& form, const std::string& control) {
    return guarded([&] {
        ui::Form& f = this->form(form);
        const ui::Control& c = f.at(control);
        if (!c.enabled)
            return;
        dispatcher_.run(form, control, Event::Click);
    });
}

bool AppContext::toggleCheckBox(const std::string& form, const std::string& control, bool checked) {
    return guarded([&] {
        ui::Control& box = this->form(form).at(control);
        if (!box.enabled || box.checked == checked)
            return;
        showChecked(this->form(form), box, checked);
        dispatcher_.run(form, control, Event::Click);
    });
}

bool AppContext::upDownClick(const std::string& form, const std::string& control, bool up) {
    return guarded([&] {
        ui::Form& f = this->form(form);
        ui::Control& arrows = f.at(control);
        if (!arrows.enabled)
            return;
        ui::Control* label = f.find(arrows.associate);
        // The arrows start from the number their label shows.
        if (label) {
            try {
                arrows.position = std::clamp(toInt(label->caption), arrows.min, arrows.max);
            } catch (const ConversionError&) {
            }
        }
        dispatcher_.run(form, control, Event::Changing);
        arrows.position = std::clamp(arrows.position + (up ? 1 : -1), arrows.min, arrows.max);
        if (label)
            showCaption(f, *label, std::to_string(arrows.position));
        dispatcher_.run(form, control, Event::Click);
    });
}

bool AppContext::selectPage(const std::string& form, const std::string& pageControl,
                            const std::string& tabSheet) {
    return guarded([&] {
        ui::Form& f = this->form(form);
        ui::Control& pages = f.at(pageControl);
        if (std::find(pages.pages.begin(), pages.pages.end(), tabSheet) == pages.pages.end())
            throw ControlError("Страница " + tabSheet + " не найдена");
        if (pages.activePage == tabSheet)
            return;
        const std::string old = pages.activePage;
        pages.activePage = tabSheet;
        if (!old.empty())
            dispatcher_.run(form, old, Event::Hide);
        dispatcher_.run(form, tabSheet, Event::Show);
        dispatcher_.run(form, pageControl, Event::Change);
    });
}

bool AppContext::openPopup(const std::string& form, const std::string& menu,
                           const std::string& component) {
    return guarded([&] {
        ui::Control& m = this->form(form).at(menu);
        m.popupComponent = component;
        dispatcher_.run(form, menu, Event::Popup);
    });
}

bool AppContext::chooseMenuItem(const std::string& form, const std::string& item) {
    return guarded([&] {
        const ui::Control& c = this->form(form).at(item);
        if (!c.enabled || c.caption == "-")
            return;
        dispatcher_.run(form, item, Event::Click);
    });
}

bool AppContext::editCell(const std::string& form, const std::string& grid, int col, int row,
                          const std::string& text) {
    return guarded([&] {
        ui::Control& g = this->form(form).at(grid);
        if (!g.grid.editable)
            return;
        ui::gridCell(g, col, row) = cut255(text);
    });
}

bool AppContext::selectCell(const std::string& form, const std::string& grid, int col, int row) {
    return guarded([&] {
        ui::Control& g = this->form(form).at(grid);
        ui::gridCell(g, col, row);
        g.grid.selectedCol = col;
        g.grid.selectedRow = row;
    });
}

bool AppContext::calendarClick(const std::string& form, const std::string& calendar,
                               const std::string& date) {
    return guarded([&] {
        ui::Control& c = this->form(form).at(calendar);
        c.date = date;
        dispatcher_.run(form, calendar, Event::Click);
    });
}

bool AppContext::timerTick(const std::string& form, const std::string& timer) {
    return guarded([&] {
        if (this->form(form).at(timer).enabled)
            dispatcher_.run(form, timer, Event::Timer);
    });
}

bool AppContext::focusLost(const std::string& form, const std::string& control) {
    return guarded([&] { dispatcher_.run(form, control, Event::Exit); });
}

bool AppContext::mouseDown(const std::string& form, const std::string& control) {
    return guarded([&] { dispatcher_.run(form, control, Event::MouseDown); });
}

bool AppContext::systemCommand(int command) {
    return guarded([&] { onSystemCommand(command); });
}

bool AppContext::activate() {
    return guarded([&] { onActivate(); });
}

bool AppContext::closeMainWindow() {
    if (closed_)
        return true;
    // An error while asking or saving keeps the window, and the edits, open.
    bool close = false;
    const bool asked = guarded([&] { close = onCloseQuery(); });
    if (!close)
        return asked;
    closed_ = true;
    return guarded([&] { onClose(); });
}

} // namespace vargis::context
