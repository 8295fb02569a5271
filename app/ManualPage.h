#pragma once

#include <span>
#include <string>

#include "app/CommandLine.h"
#include "app/Model.h"

namespace pelmar {

// The model's manual page in man(7) markup, section 1: name, synopsis,
// description, the options --help lists, the files the program uses.
std::string ManualPage(const Model& model);

// The same page with the options given instead of the command line's own.
std::string ManualPage(const Model& model, std::span<const OptionDescription> options);

}  // namespace pelmar
