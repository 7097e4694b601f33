// Quillbarrow: creates RAM disks.

#include "Runtime.h"
#include "Startup.h"

int main(int argc, char** argv) {
  RuntimeInit(argc, argv);
  SetApplicationName("Quillbarrow");
  initialize();
  Main();
  finalize();
  return RuntimeExit();
}
