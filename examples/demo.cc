// The demo: a Gantt chart of a sample project in a window, or, without a
// display, in a picture whose contents it describes. See `demoUsage()`.

#include "examples/demo_app.h"

int main(int argc, char** argv) { return vorlent::examples::runDemo(argc, argv); }
