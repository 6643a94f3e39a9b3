#include "ui/Form.h"

#include "base/Errors.h"

namespace vargis::ui {

Form::Form(std::string name, std::string caption) : name_(std::move(name)) {
    Control& form = add(name_, ControlKind::Form, {});
    form.caption = std::move(caption);
    form.visible = false;
}

Control& Form::add(const std::string& name, ControlKind kind, const std::string& parent) {
    if (controls_.count(name) != 0)
        throw ControlError("Компонент " + name + " уже существует на форме " + name_);
    Control& control = controls_[name];
    control.name = name;
    control.kind = kind;
    control.parent = parent;
    order_.push_back(name);
    return control;
}

Control& place(Form& form, const std::string& name, ControlKind kind, const std::string& parent,
               int left, int top, int width, int height, const std::string& caption) {
    Control& c = form.add(name, kind, parent);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.caption = caption;
    return c;
}

Control& Form::at(const std::string& name) {
    if (Control* control = find(name))
        return *control;
    throw ControlError("Компонент " + name + " не найден на форме " + name_);
}

const Control& Form::at(const std::string& name) const {
    if (const Control* control = find(name))
        return *control;
    throw ControlError("Компонент " + name + " не найден на форме " + name_);
}

Control* Form::find(const std::string& name) {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : &it->second;
}

const Control* Form::find(const std::string& name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : &it->second;
}

} // namespace vargis::ui
