#include "app/CPelmarApp.h"

int main(int argc, char** argv) {
    pelmar::CPelmarApp application(pelmar::ModelA());
    return application.Run(argc, argv);
}
