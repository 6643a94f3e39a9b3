#pragma once
#include "app/Application.h"

namespace vargis::app {

// Registers the handlers of the three forms by control name and event.
void registerHandlers(Application& app);

// The product web address opened by "Сайт программы".
inline constexpr const char* kProductAddress = "https://vargis-loto.example.org/";

} // namespace vargis::app
