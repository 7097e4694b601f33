// The program's start-up and shut-down (Startup, Open with the import, the
// main window built and shown, Close with the export, finalize), against a
// bare Qt program that shows one QMainWindow with the same content: the
// title, the menu bar with its two menus, the labels, fields and button.
// Each run is a process of its own on the offscreen platform that quits at
// its first idle moment; the measures are its wall time from spawn to exit
// and its peak resident memory (wait4's ru_maxrss), the medians over many
// runs taken in turns.
//
// An empty QMainWindow is measured too, for scale only: it draws no text, so
// it never loads the font database, which any window with a caption must.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Measure.h"
#include "Quit.h"
#include "Runtime.h"
#include "Startup.h"

extern char** environ;

namespace {

int EmptyWindow(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.show();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return QApplication::exec();
}

void AddMenu(QMenuBar* bar, const char* title, std::initializer_list<std::pair<const char*, const char*>> items) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(title));
  for (const auto& [text, shortcut] : items) {
    if (std::strcmp(text, "-") == 0) {
      menu->addSeparator();
    } else {
      menu->addAction(QString::fromUtf8(text))->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    }
  }
}

template <typename W>
W* Place(QWidget* parent, W* widget, int left, int top, int width, int height) {
  widget->setParent(parent);
  widget->setGeometry(left, top, width, height);
  return widget;
}

// What the program shows, in Qt alone.
int BareProgram(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tamberlow (Brisquel)"));
  AddMenu(window.menuBar(), "&Ablage", {{"About Quillbarrow...", ""}, {"Beenden", "Ctrl+Q"}});
  AddMenu(window.menuBar(), "&Bearbeiten",
          {{"&Rückgängig", "Ctrl+Z"}, {"-", ""}, {"&Ausschneiden", "Ctrl+X"}, {"&Kopieren", "Ctrl+C"},
           {"&Einfügen", "Ctrl+V"}, {"&Löschen", ""}, {"-", ""}, {"&Alles auswählen", "Ctrl+A"}});
  auto* content = new QWidget;
  content->setFixedSize(527, 85);
  Place(content, new QLabel(QStringLiteral("Size of RAM disk:")), 14, 14, 127, 20)->setAlignment(Qt::AlignRight);
  Place(content, new QLabel(QStringLiteral("MB")), 209, 14, 64, 20);
  Place(content, new QLabel(QStringLiteral("Name of disk:")), 14, 46, 127, 20)->setAlignment(Qt::AlignRight);
  Place(content, new QLineEdit(QStringLiteral("RamDisk")), 153, 45, 193, 22);
  Place(content, new QPushButton(QStringLiteral("Create disk")), 367, 45, 140, 20)->setDefault(true);
  Place(content, new QLineEdit(QStringLiteral("64")), 153, 13, 50, 22)->setMaxLength(4);
  window.setCentralWidget(content);
  window.show();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return QApplication::exec();
}

int RealProgram(int argc, char** argv) {
  RuntimeInit(argc, argv);
  initialize();
  QTimer::singleShot(0, [] { Quit(0); });
  Main();
  finalize();
  return RuntimeExit();
}

struct Run {
  double seconds = 0;
  long peakKiB = 0;
};

Run RunChild(const char* mode) {
  std::string self = "/proc/self/exe", flag = mode;
  char* argv[] = {self.data(), flag.data(), nullptr};
  Run run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", mode);
    std::exit(2);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKiB = usage.ru_maxrss;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s ended with status %d\n", mode, status);
    std::exit(2);
  }
  return run;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--empty") == 0) return EmptyWindow(argc, argv);
  if (argc == 2 && std::strcmp(argv[1], "--bare") == 0) return BareProgram(argc, argv);
  if (argc == 2 && std::strcmp(argv[1], "--program") == 0) return RealProgram(argc, argv);

  // The program reads and writes its preferences in a folder of its own.
  const auto config = std::filesystem::temp_directory_path() / ("qb-bench-startup-" + std::to_string(getpid()));
  std::filesystem::create_directories(config);
  std::ofstream(config / "Quillbarrow.pref") << "Version: qzSettings01\n[APPLICATION SETTINGS]\n"
                                                "RamDiskSize: 64\nRamDiskName: Bench Disk\n";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);

  const int rounds = 21;
  std::vector<double> emptyTimes, bareTimes, programTimes;
  std::vector<long> emptyMemory, bareMemory, programMemory;
  for (const char* mode : {"--empty", "--bare", "--program"}) RunChild(mode);  // warms the caches
  for (int i = 0; i < rounds; ++i) {
    const Run empty = RunChild("--empty");
    const Run bare = RunChild("--bare");
    const Run program = RunChild("--program");
    emptyTimes.push_back(empty.seconds);
    emptyMemory.push_back(empty.peakKiB);
    bareTimes.push_back(bare.seconds);
    bareMemory.push_back(bare.peakKiB);
    programTimes.push_back(program.seconds);
    programMemory.push_back(program.peakKiB);
  }
  std::filesystem::remove_all(config);

  // For scale only: no text drawn, so no font database loaded.
  std::printf("%-60s %9.3f ms %9ld KiB; the program %.2fx, %.2fx\n", "an empty QMainWindow, for scale",
              Median(emptyTimes) * 1e3, Median(emptyMemory), Median(programTimes) / Median(emptyTimes),
              static_cast<double>(Median(programMemory)) / static_cast<double>(Median(emptyMemory)));
  const bool fast = Report("start-up to first idle and quit vs the same window in bare Qt", Median(programTimes),
                           Median(bareTimes), 1.30);
  const double memoryRatio = static_cast<double>(Median(programMemory)) / static_cast<double>(Median(bareMemory));
  const bool small = memoryRatio <= 1.15;
  std::printf("%-60s %9ld KiB vs %9ld KiB  ratio %.3f (target <= 1.15) %s\n", "peak memory, same runs",
              Median(programMemory), Median(bareMemory), memoryRatio, small ? "ok" : "MISSED");
  return fast && small ? 0 : 1;
}
