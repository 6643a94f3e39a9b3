#pragma once
// A form is a registry of named controls, as the program finds its controls
// by name at run time.

#include "ui/Control.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vargis::ui {

class Form {
public:
    explicit Form(std::string name, std::string caption = {});

    const std::string& name() const { return name_; }

    // The form itself (caption, visibility, size) is the control named after it.
    Control& self() { return at(name_); }
    const Control& self() const { return at(name_); }

    // Adds a control; a second control of the same name is a ControlError.
    Control& add(const std::string& name, ControlKind kind, const std::string& parent);

    Control& at(const std::string& name);
    const Control& at(const std::string& name) const;
    Control* find(const std::string& name);
    const Control* find(const std::string& name) const;
    bool has(const std::string& name) const { return find(name) != nullptr; }

    // Controls in the order they were added (parents before children).
    const std::vector<std::string>& order() const { return order_; }

    // The control that has the input focus (empty: none). Every call counts
    // as a request: the control takes the focus again even if it had it (a
    // dialog in between may have moved it).
    void setFocus(const std::string& name) {
        focus_ = at(name).name;
        ++focusRequests_;
    }
    const std::string& focus() const { return focus_; }
    std::uint64_t focusRequests() const { return focusRequests_; }

private:
    std::string name_;
    std::map<std::string, Control> controls_;
    std::vector<std::string> order_;
    std::string focus_;
    std::uint64_t focusRequests_ = 0;
};

// Adds a control at its place and size, with its caption: how the layouts
// build their forms.
Control& place(Form& form, const std::string& name, ControlKind kind, const std::string& parent,
               int left, int top, int width, int height, const std::string& caption = {});

} // namespace vargis::ui
