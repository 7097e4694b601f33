#include "Quit.h"

#include <QCoreApplication>

void Quit(int32_t exitCode) {
  if (QCoreApplication::instance()) QCoreApplication::exit(exitCode);
}
