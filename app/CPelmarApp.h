#pragma once

#include "app/Model.h"

namespace pelmar {

// The application: finds the program folder, keeps a second instance out and
// runs the main window until the program ends.
class CPelmarApp {
public:
    explicit CPelmarApp(const Model& model);

    // Runs the whole program and returns the process's exit status.
    int Run(int argc, char** argv);

private:
    const Model& model_;
};

}  // namespace pelmar
