#include "app/driver.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  plat::Startup(argc, argv);
  plat::ExitProcess(RunQuillet());
}
